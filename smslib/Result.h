#pragma once

#include <optional>
#include <string>
#include <utility>

namespace velmora {

// What a builder or reader hands back: either the value, or the reason it
// refused, worded so the window can show it to the user as it stands.
template <class T> class Result {
public:
    static Result Ok(T value) {
        Result r;
        r.m_value = std::move(value);
        return r;
    }
    static Result Fail(std::string reason) {
        Result r;
        r.m_error = std::move(reason);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const std::string& error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    std::string m_error;
};

} // namespace velmora
