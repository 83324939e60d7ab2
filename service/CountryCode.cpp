#include "CountryCode.h"

#include "Strings.h"

#include <QMutex>

namespace velmora {

namespace {

// Read from the history's and the recorder's threads too.
QMutex lock;
QString& Code() {
    static QString code =
        QString::fromLatin1(kDefaultCountryCode.data(), static_cast<qsizetype>(kDefaultCountryCode.size()));
    return code;
}

} // namespace

QString HomeCountryCode() {
    const QMutexLocker locked(&lock);
    return Code();
}

void SetHomeCountryCode(const QString& code) {
    if (!IsCountryCode(code.toStdString()))
        return;
    const QMutexLocker locked(&lock);
    Code() = code;
}

} // namespace velmora
