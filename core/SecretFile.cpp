#include "SecretFile.h"

#include "FileIo.h"
#include "QtText.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace velmora {

namespace {

// A password is a line; a file longer than this holds something else.
constexpr std::size_t kPasswordFileLimit = 4096;

// The file's text as it is. The words are the settings' check's
// ("DaemonConfig"), where they were first said.
Result<QString, QString> ReadOwnersFile(const QString& path, std::size_t limit, bool* truncated) {
    using R = Result<QString, QString>;
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0)
        return R::Fail(QCoreApplication::translate("DaemonConfig", "%1 cannot be read: %2")
                           .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (!S_ISREG(st.st_mode))
        return R::Fail(QCoreApplication::translate("DaemonConfig", "%1 is not a regular file").arg(path));
    if (st.st_mode & (S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH))
        return R::Fail(QCoreApplication::translate(
                           "DaemonConfig",
                           "%1 may be read or changed by others than its owner (mode %2); make it chmod 600")
                           .arg(path)
                           .arg(st.st_mode & 0777, 4, 8, QChar(u'0')));
    const auto read = ReadFilePrefixOrRefusal(path.toStdString(), limit);
    if (!read)
        return R::Fail(Q(read.error()));
    if (truncated)
        *truncated = read->truncated;
    else if (read->truncated)
        return R::Fail(
            QCoreApplication::translate("DaemonConfig", "%1 is larger than %2 octets").arg(path).arg(limit));
    return R::Ok(Q(read->bytes));
}

} // namespace

Result<QString, QString> ReadSecretFile(const QString& path, std::size_t limit, bool* truncated) {
    const auto text = ReadOwnersFile(path, limit, truncated);
    if (!text)
        return text;
    return Result<QString, QString>::Ok(text.value().trimmed());
}

Result<QString, QString> ReadPasswordFile(const QString& path) {
    const auto text = ReadOwnersFile(path, kPasswordFileLimit, nullptr);
    if (!text)
        return text;
    // The first line as it stands: a blank one is no password, whatever
    // follows it.
    return Result<QString, QString>::Ok(text.value().section(u'\n', 0, 0).trimmed());
}

} // namespace velmora
