#include "SimPhone.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora::testing {

SimPhone::SimPhone(std::vector<std::string> args) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    // Everything the child needs is ready before the fork: after it, only
    // async-signal-safe calls.
    std::string program = VELMORA_PHONESIM;
    std::vector<char*> argv;
    argv.push_back(program.data());
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(out[1], 1);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        m_device += c;
    ::close(out[0]);
    // A test without a phone would only fail later, and less clearly.
    if (m_device.empty()) {
        Kill();
        throw std::runtime_error("velmora-phonesim printed no device");
    }
}

void SimPhone::Kill() {
    if (m_pid <= 0)
        return;
    // SIGKILL: the simulator cannot end on SIGTERM while no client holds its
    // device (a hung-up pty keeps its ppoll busy), and a pulled cable gives no
    // notice either.
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

void SimPhone::Terminate() const {
    if (m_pid > 0)
        ::kill(m_pid, SIGTERM);
}

void SimPhone::Pull() const {
    if (m_pid > 0)
        ::kill(m_pid, SIGUSR1);
}

bool SimPhone::Plug(const std::string& link, int ms) const {
    if (m_pid <= 0)
        return false;
    ::kill(m_pid, SIGUSR2);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    std::error_code ec;
    while (!std::filesystem::exists(link, ec)) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        ::usleep(5000);
    }
    return true;
}

int SimPhone::Wait(int ms) {
    if (m_status >= 0 || m_pid <= 0)
        return m_status;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        ::usleep(10000);
    } while (std::chrono::steady_clock::now() < end);
    return -1;
}

SimPhone::~SimPhone() { Kill(); }

int ExclusiveFlag(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    int flag = -1;
    if (::ioctl(fd, TIOCGEXCL, &flag) < 0)
        flag = -1;
    ::close(fd);
    return flag;
}

std::string TempDir(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("velmora-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace velmora::testing
