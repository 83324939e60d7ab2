#include "Logs.h"

#include "FileIo.h"
#include "QtText.h"
#include "Said.h"

#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

std::string FormatLogTimestamp(std::time_t when, const std::string& amText, const std::string& pmText,
                               const std::string& timeSeparator) {
    std::tm t{};
    ::localtime_r(&when, &t);
    // 12-hour clock: midnight and noon are both 12.
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    const auto two = [](int v) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d", v);
        return std::string(b);
    };
    char date[32];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d ", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    return date + two(hour12) + timeSeparator + two(t.tm_min) + timeSeparator + two(t.tm_sec) + " " +
           (t.tm_hour < 12 ? amText : pmText);
}

std::string TimeSeparatorOf(const std::string& timeFormat) {
    const auto h = timeFormat.find_first_of("hH");
    if (h == std::string::npos)
        return ":";
    const auto after = timeFormat.find_first_not_of("hH", h);
    if (after == std::string::npos)
        return ":";
    const char c = timeFormat[after];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return letter || c == ' ' || c == '\'' ? ":" : std::string(1, c);
}

std::string FormatLogTimestamp(std::time_t when) {
    const QLocale locale = QLocale::system();
    std::string am = S(locale.amText());
    std::string pm = S(locale.pmText());
    if (am.empty() || pm.empty()) {
        am = "AM";
        pm = "PM";
    }
    return FormatLogTimestamp(when, am, pm, TimeSeparatorOf(S(locale.timeFormat(QLocale::ShortFormat))));
}

Result<std::string> AppendLogLine(const std::string& path, const std::string& entry, std::time_t when) {
    using R = Result<std::string>;
    const std::string line = FormatLogTimestamp(when) + " " + entry + "\r\n";
    const auto failed = [&](int err) {
        return R::Fail(Fill(translate("Logs", "Unable to write to %1: %2"), {path, std::strerror(err)}));
    };
    if (const auto made = MakeParentDirectory(path); !made)
        return R::Fail(Fill(translate("Logs", "Unable to write to %1: %2"), {path, made.error()}));
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return failed(errno);
    // One write of the whole line: with O_APPEND a reader (or a second
    // program sharing the log) never sees half an entry.
    ssize_t n;
    do {
        n = ::write(fd, line.data(), line.size());
    } while (n < 0 && errno == EINTR);
    const int writeErr = n < 0 ? errno : 0;
    const bool closed = ::close(fd) == 0;
    if (n < 0)
        return failed(writeErr);
    if (static_cast<std::size_t>(n) != line.size())
        return failed(ENOSPC);
    if (!closed)
        return failed(EIO);
    return R::Ok(line);
}

Result<std::string> AppendLogLine(const std::string& path, const std::string& entry) {
    return AppendLogLine(path, entry, std::time(nullptr));
}

} // namespace velmora
