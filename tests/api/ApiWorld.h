#pragma once

// A message centre with no modem on a store in a temporary folder, and the
// MessageApi over it: messages come in as a phone's PDUs recorded in the
// store, and go out as the API queues them. What the doors hear is what
// pump() tells, as the centre's own changes make it tell at once.

#include "EventLoop.h"
#include "MessageApi.h"
#include "MessageCentre.h"
#include "MessageStore.h"
#include "StoreFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>

namespace velmora::testing {

inline QCoreApplication& App() { return TestApp("api_hooks_tests"); }

// What the program says in its log (qInfo, qWarning) while one lives.
class LogLines {
public:
    LogLines() {
        Lines().clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { Lines().append(text); });
    }
    ~LogLines() { qInstallMessageHandler(m_previous); }
    const QStringList& lines() const { return Lines(); }
    bool has(const QString& part) const {
        return std::any_of(Lines().begin(), Lines().end(),
                           [&](const QString& l) { return l.contains(part); });
    }

private:
    static QStringList& Lines() {
        static QStringList lines;
        return lines;
    }
    QtMessageHandler m_previous = nullptr;
};

class ApiWorld {
public:
    // `store`: where the store is (a server's URL), else a file in the folder.
    explicit ApiWorld(const QString& store = {}) : m_storeLocation(store) {
        App();
        open();
    }
    ~ApiWorld() { close(); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void open() {
        CentreSetup setup;
        setup.paths.transmitLog = path(QStringLiteral("Tr_smsn.Txt")).toStdString();
        setup.paths.failedLog = path(QStringLiteral("Fl_smsn.Txt")).toStdString();
        setup.paths.receivedLog = path(QStringLiteral("Received.Txt")).toStdString();
        setup.paths.messageStore = path(QStringLiteral("messages.sqlite")).toStdString();
        setup.storePath = m_storeLocation;
        centre = std::make_unique<MessageCentre>(std::move(setup));
        centre->open();
        api = std::make_unique<MessageApi>(*centre);
    }
    void close() {
        api.reset();
        centre.reset();
    }
    MessageStore& store() const { return *centre->store(); }

    // A text from `from` recorded as a phone's PDU; its message's id.
    qint64 receive(const QString& text, const QString& from = QStringLiteral("6281234567")) {
        const int index = ++m_index;
        const auto r = store().AddReceived(
            ModemId(QStringLiteral("510010000000001"), QStringLiteral("/dev/ttyUSB0")), QStringLiteral("SM"),
            index, Deliver(from, text, Utc("2026-12-10T08:00:00Z").addSecs(index)));
        return r ? r->id : 0;
    }
    // A file that may be run: `script` after "#!/bin/sh".
    QString script(const QString& name, const QByteArray& body) const {
        const QString file = path(name);
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write("#!/bin/sh\n" + body + "\n") < 0)
            return {};
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return file;
    }

    std::unique_ptr<MessageCentre> centre;
    std::unique_ptr<MessageApi> api;

private:
    QTemporaryDir m_dir;
    QString m_storeLocation;
    int m_index = 0;
};

} // namespace velmora::testing
