// The received log ("dd-mm-yyyy hh:mm:ss AM NUMBER PDU" a line) taken into
// the store, in batches each committed.

#include "MessageStoreImpl.h"

#include <QLocale>

namespace velmora {

namespace {

// The received log: a line longer than this is not an entry, and a log
// larger than this is not read at all.
constexpr qsizetype kMaxLogLine = 4096;
constexpr qint64 kMaxLogBytes = 512LL << 20;
// Lines of a log imported between two commits: a crash loses no more, and
// the write-ahead log stays a few megabytes.
constexpr int kImportBatch = 5000;

// ---- the received log's lines

struct LogLine {
    qint64 whenMs = 0;
    QByteArray pdu;
};

QString TrimmedDesignator(const QString& word) { return word.trimmed().toCaseFolded(); }

// The clock words a log may carry: this locale's and the English ones (the
// log falls back to them when the locale has none).
struct Designators {
    QStringList am, pm;
    Designators() {
        const QLocale locale = QLocale::system();
        for (const QString& w : {locale.amText(), QStringLiteral("AM"), QStringLiteral("a.m.")})
            if (!w.trimmed().isEmpty())
                am << TrimmedDesignator(w);
        for (const QString& w : {locale.pmText(), QStringLiteral("PM"), QStringLiteral("p.m.")})
            if (!w.trimmed().isEmpty())
                pm << TrimmedDesignator(w);
    }
    // The start of a local hour in ms since 1970: a log's lines share a
    // few, and each conversion from local time asks the time zone anew.
    qint64 LocalHour(const QDate& date, int hour) const {
        const qint64 key = date.toJulianDay() * 24 + hour;
        auto it = hours.find(key);
        if (it == hours.end())
            it = hours.emplace(key, QDateTime(date, QTime(hour, 0), Qt::LocalTime).toMSecsSinceEpoch()).first;
        return it->second;
    }
    mutable std::map<qint64, qint64> hours;
};

// "dd-mm-yyyy hh:mm:ss AM NUMBER PDU": the stamp in local time, on a 12-hour
// clock with ':' or '.' between its fields; the PDU is the last word. A
// designator this locale does not know is taken for the morning: the time
// only stands for a PDU that carries no time stamp of its own.
Result<LogLine, QString> ParseLogLine(const QByteArray& raw, const Designators& words) {
    using R = Result<LogLine, QString>;
    const QString line = QString::fromUtf8(raw).trimmed();
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 5)
        return R::Fail(
            QCoreApplication::translate("MessageStore", "not \"dd-mm-yyyy hh:mm:ss AM NUMBER PDU\""));
    const QDate date = QDate::fromString(fields[0], QStringLiteral("dd-MM-yyyy"));
    if (!date.isValid())
        return R::Fail(
            QCoreApplication::translate("MessageStore", "the date \"%1\" is not dd-mm-yyyy").arg(fields[0]));
    const QChar separator = fields[1].size() > 2 ? fields[1][2] : QChar();
    const QStringList clock = fields[1].split(separator);
    int hms[3] = {-1, -1, -1};
    bool clockOk = (separator == QLatin1Char(':') || separator == QLatin1Char('.')) && clock.size() == 3;
    for (int i = 0; clockOk && i < 3; ++i) {
        hms[i] = clock[i].size() == 2 ? clock[i].toInt(&clockOk) : -1;
        clockOk = clockOk && hms[i] >= 0;
    }
    if (!clockOk || hms[0] > 23 || hms[1] > 59 || hms[2] > 59)
        return R::Fail(
            QCoreApplication::translate("MessageStore", "the time \"%1\" is not hh:mm:ss").arg(fields[1]));
    // The designator may be more than one word ("a. m."): whatever of the
    // words between the time and the PDU starts with a known one.
    const QString rest =
        TrimmedDesignator(QStringList(fields.mid(2, fields.size() - 3)).join(QLatin1Char(' ')));
    const auto starts = [&](const QStringList& list) {
        return std::any_of(list.begin(), list.end(), [&](const QString& w) {
            return rest.startsWith(w) && (rest.size() == w.size() || rest[w.size()] == QLatin1Char(' '));
        });
    };
    int hour = hms[0];
    if (hour <= 12) {
        hour %= 12;
        if (starts(words.pm) && !starts(words.am))
            hour += 12;
    }
    LogLine out;
    out.whenMs = words.LocalHour(date, hour) + (hms[1] * 60 + hms[2]) * 1000LL;
    out.pdu = fields.last().toUpper().toLatin1();
    if (!IsHex(out.pdu))
        return R::Fail(QCoreApplication::translate("MessageStore", "its PDU is not hexadecimal"));
    return R::Ok(std::move(out));
}

} // namespace

ImportReport MessageStore::ImportReceivedLog(const QString& logPath) {
    ImportReport report;
    QFile file(logPath);
    if (!file.exists()) {
        report.error = QCoreApplication::translate("MessageStore", "The received log %1 does not exist")
                           .arg(Shown(logPath));
        return report;
    }
    if (file.size() > kMaxLogBytes) {
        report.error = QCoreApplication::translate(
                           "MessageStore", "The received log %1 is larger than 512 MiB; nothing was imported")
                           .arg(Shown(logPath));
        return report;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report.error =
            QCoreApplication::translate("MessageStore", "The received log %1 could not be read: %2")
                .arg(Shown(logPath), file.errorString());
        return report;
    }
    const Designators words;
    std::optional<Transaction> batch;
    int inBatch = 0;
    int lineNumber = 0;
    // What the log holds came in long ago, to another program: no door is
    // told of it as new (the events its rows made go with the batch).
    qint64 before = 0;
    Impl::IndexAtEnd index(*d);
    // Before each commit: the batch's messages indexed, their events gone.
    const auto beforeCommit = [&] {
        index.Flush();
        // (A server writes none for it at all; the rows after `before`
        // there are other programs'.)
        if (!d->dialect.pg)
            Run(d->Cached(QStringLiteral("DELETE FROM events WHERE seq > ?")), {before});
    };
    const auto take = [&](const QByteArray& raw) {
        const auto line = ParseLogLine(raw, words);
        if (!line) {
            report.bad.emplace_back(lineNumber, line.error());
            return;
        }
        const Result<DecodedPdu> pdu = DecodePdu(line->pdu.toStdString());
        if (!pdu) {
            report.bad.emplace_back(
                lineNumber, QCoreApplication::translate("MessageStore", "its PDU could not be read: %1")
                                .arg(QString::fromStdString(pdu.error())));
            return;
        }
        if (!batch) {
            batch.emplace(d->db);
            d->Setting(d->dialect.QuietEvents());
            before = Scalar(d->Cached(QStringLiteral("SELECT coalesce(max(seq), 0) FROM events")), {}, 0)
                         .toLongLong();
        }
        const ReceivedRecord r =
            d->Receive(QString(), QString(), QString(), -1, line->pdu, line->whenMs, &pdu);
        ++(r.newPdu ? report.imported : report.duplicates);
        if (++inBatch == kImportBatch) {
            beforeCommit();
            batch->Commit();
            batch.reset();
            inBatch = 0;
        }
    };
    try {
        QByteArray line;
        bool tooLong = false;
        QByteArray chunk;
        const auto end = [&] {
            ++lineNumber;
            if (tooLong)
                report.bad.emplace_back(lineNumber,
                                        QCoreApplication::translate("MessageStore", "longer than 4 KiB"));
            else if (!line.trimmed().isEmpty())
                take(line);
            line.clear();
            tooLong = false;
        };
        while (!(chunk = file.read(1 << 16)).isEmpty()) {
            qsizetype start = 0;
            while (start < chunk.size()) {
                const qsizetype newline = chunk.indexOf('\n', start);
                const qsizetype stop = newline < 0 ? chunk.size() : newline;
                if (!tooLong) {
                    line.append(chunk.constData() + start, stop - start);
                    if (line.size() > kMaxLogLine) {
                        tooLong = true;
                        line.clear();
                    }
                }
                if (newline < 0)
                    break;
                end();
                start = newline + 1;
            }
        }
        if (!line.isEmpty() || tooLong)
            end();
        if (file.error() != QFileDevice::NoError)
            report.error = QCoreApplication::translate("MessageStore",
                                                       "The received log %1 could not be read to its end: %2")
                               .arg(Shown(logPath), file.errorString());
        if (batch) {
            beforeCommit();
            batch->Commit();
        }
    } catch (const SqlFailed& f) {
        report.error = QString::fromStdString(d->Failure(f));
    }
    return report;
}

} // namespace velmora
