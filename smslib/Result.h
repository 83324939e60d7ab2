#pragma once

// How this library and core hand back a failure: every builder, reader
// and check gives a Result, never throws and never shows anything. The
// reason is worded so the window can show it to the user as it stands; a
// caller that needs more than words (which field to focus, whether a file
// was missing) gets it from a richer reason type `E`.

#include <optional>
#include <string>
#include <utility>

namespace velmora {

template <class T, class E = std::string> class Result {
public:
    static Result Ok(T value) {
        Result r;
        r.m_value = std::move(value);
        return r;
    }
    static Result Fail(E reason) {
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
    const E& error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    E m_error{};
};

} // namespace velmora
