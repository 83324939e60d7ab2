#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

// A fresh directory per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::string tmpl = ::testing::TempDir() + "velmora-core-XXXXXX";
        m_path = ::mkdtemp(tmpl.data());
        m_path += '/';
    }
    ~TempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
