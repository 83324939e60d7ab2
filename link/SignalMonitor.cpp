#include "PhoneSession.h"

#include "Said.h"

namespace velmora {

void PhoneSession::SignalTick() {
    if (!IsConnected())
        return; // a tick that was queued before a disconnect
    m_events.Status(translate("PhoneSession", "Check Signal"));
    std::string reply;
    try {
        ShowLineSignals();
        reply = Ask("at+csq\r", 200, 5);
    } catch (const EComPort& e) {
        // A pulled cable fails every poll from now on: close the session once,
        // instead of failing again every 20 seconds.
        LinkLostDuring(e);
        return;
    }
    const SignalTexts cut = CutSignalQuality(reply);
    if (!cut.found) {
        ++m_signalFailures;
        m_events.Status(
            Fill(translate("PhoneSession", "Unable to get RSSI (%1), please check data cable connection !"),
                 {std::to_string(m_signalFailures)}));
        ShowSignalQuality("99", "99");
        if (m_signalFailures == 3)
            Disconnect();
        return;
    }
    m_events.Status(translate("PhoneSession", "Received Signal Strength Indication (RSSI) reading taken"));
    ShowSignalQuality(cut.rssi, cut.ber);
}

void PhoneSession::ShowSignalQuality(const std::string& rssi, const std::string& ber) {
    // The window climbs the gauge to the class; the phone link does not wait
    // for an animation.
    m_events.SignalQuality("[" + rssi + "]", "[" + ber + "]", SignalClass(LeadingNumber(rssi)),
                           BerClass(LeadingNumber(ber)));
}

} // namespace velmora
