#pragma once

// The program holding org.velmora.Velmora1 (velmorad, or a window started
// earlier), reached over D-Bus through the API's client: what the window
// works through when it finds the modems taken at its start.

#include "RunningProgram.h"

#include <memory>

namespace velmora {

namespace api {
class BusClient;
}

class BusRunningProgram : public RunningProgram {
    Q_OBJECT
public:
    // The program holding the name (session bus first, then the system
    // bus), listened to from now on; null when none does. Given a device
    // (velmora --device PATH), null too when that program holds no modem
    // on it: the user named a phone of the window's own.
    static std::unique_ptr<RunningProgram> Find(const QString& device = {});
    explicit BusRunningProgram(std::unique_ptr<api::BusClient> client);
    ~BusRunningProgram() override;

    QString name() const override { return m_name; }
    QStringList modems() override;
    QString storePath() override;
    void send(const QStringList& recipients, const QJsonObject& message, bool report,
              std::function<void(Queued)> done) override;
    Result<bool, QString> queueStep(QueueStep step, qint64 id) override;
    void readPhone(std::function<void(Result<PhoneRead, QString>)> done) override;
    Result<std::vector<QJsonObject>, QString> list(int limit) override;

private:
    // Who answers now: its name and its modems.
    void identify();

    std::unique_ptr<api::BusClient> m_client;
    QString m_name;
    QStringList m_modems;
};

} // namespace velmora
