#pragma once

// What velmorad runs: the message centre behind the daemon's one hold on it.
// What happens to the modems and the messages is told through Qt's
// messages, which the daemon's log takes in with a level each.

#include "CentreControl.h"
#include "MessageCentre.h"

#include <memory>

namespace velmora::daemon {

class CentreRun : public CentreControl {
public:
    // `pollMs`: how often the outboxes look at the store for what another
    // program queued (velmora-cli send --queue).
    explicit CentreRun(int pollMs = 500);
    ~CentreRun() override;

    Result<bool, QString> start(const DaemonConfig& config) override;
    void addModem(const ModemConfig& modem) override;
    void removeModem(const QString& name) override;
    void stop(std::chrono::milliseconds deadline, std::function<void()> done) override;

    MessageCentre* centre() const { return m_centre.get(); }
    MessageCentre* messageCentre() const override { return m_centre.get(); }
    bool servesApi() const override { return true; }

    // What a link may take to end once asked, a stuck modem's wait included.
    static constexpr qint64 kLinkEndMs = 3000;

private:
    void follow(ModemChannel& channel);

    int m_pollMs;
    std::unique_ptr<MessageCentre> m_centre;
};

} // namespace velmora::daemon
