#include "ContactSave.h"

#include <QDateTime>
#include <QLocale>

namespace velmora {

std::string FormatExportStamp(std::time_t when) {
    // The month's name in the user's language, as the logs take their AM/PM.
    const QDateTime local = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(when));
    return QLocale::system().toString(local, QStringLiteral("dd MMMM yyyy, hh:mm")).toStdString();
}

ExportResult SaveContactExport(const std::string& path, const std::vector<PhonebookEntry>& entries,
                               std::time_t when) {
    return WriteContactExport(path, entries, FormatExportStamp(when));
}

} // namespace velmora
