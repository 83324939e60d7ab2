#pragma once

#include "FakeClock.h"
#include "PhoneSession.h"
#include "ScriptedPort.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

// Keeps everything the session shows, in order.
class RecordingEvents : public SessionEvents {
public:
    std::vector<std::string> status, monitor, linkErrors, logFailures, refused, connectFailures, tooLong;
    std::vector<SessionState> states;
    std::vector<bool> polling;
    std::vector<int> bars;
    std::vector<std::string> quality; // "rssi|ber|bars|berBar"
    std::vector<std::pair<int, int>> progress;
    std::vector<PhonebookEntry> contacts;
    int identities = 0;

    void Status(const std::string& t) override { status.push_back(t); }
    void Monitor(const std::string& t) override { monitor.push_back(t); }
    void StateChanged(SessionState s) override { states.push_back(s); }
    void SignalBar(int b) override { bars.push_back(b); }
    void SignalQuality(const std::string& r, const std::string& b, int bars, int berBar) override {
        quality.push_back(r + "|" + b + "|" + std::to_string(bars) + "|" + std::to_string(berBar));
    }
    void Progress(int done, int total) override {
        progress.emplace_back(done, total);
        if (onProgress)
            onProgress(done);
    }
    std::function<void(int)> onProgress;
    void Identity(const PhoneIdentity&) override { ++identities; }
    void SignalPolling(bool on) override { polling.push_back(on); }
    void Problem(ProblemKind kind, const std::string& t) override {
        switch (kind) {
        case ProblemKind::PhoneRefused:
            refused.push_back(t);
            break;
        case ProblemKind::LinkError:
            linkErrors.push_back(t);
            break;
        case ProblemKind::LogFailed:
            logFailures.push_back(t);
            break;
        case ProblemKind::ConnectFailed:
            connectFailures.push_back(t);
            break;
        case ProblemKind::AnswerTooLong:
            tooLong.push_back(t);
            break;
        }
    }
    void ContactFound(const PhonebookEntry& e) override { contacts.push_back(e); }
    std::vector<std::pair<int, int>> reports; // reference, TP-ST
    void DeliveryReport(int reference, int status) override { reports.emplace_back(reference, status); }
    std::vector<StoredMessage> arrived;
    void MessageArrived(const StoredMessage& m) override { arrived.push_back(m); }
    std::string lastStatus() const { return status.empty() ? "" : status.back(); }

    // Each part as the session ended it, and the log entries it makes there
    // (as the programs write them) when a sink is given.
    std::vector<PartEnded> parts;
    std::vector<std::pair<std::string, std::string>>* logSink = nullptr;
    std::string transmitLog = "tr.txt", failedLog = "fl.txt";
    void PartSubmitted(const PartEnded& p) override {
        parts.push_back(p);
        if (!logSink)
            return;
        for (const auto& [log, entry] : SubmitLogEntries(p))
            logSink->emplace_back(log == SubmitLog::Transmit ? transmitLog : failedLog, entry);
    }
};

using Chunks = ScriptedPort::Answer;

inline Chunks Now(const std::string& bytes) { return {{0, bytes}}; }
inline std::vector<int> Times(int count, int ms) {
    return std::vector<int>(static_cast<std::size_t>(count), ms);
}
inline std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A session on a scripted phone that answers the connect dialogue at once.
class SessionTest : public ::testing::Test {
protected:
    SessionTest() : port(clock), session(port, clock, events) {
        events.logSink = &logs;
        port.On("ate0\r", Now("\r\nOK\r\n"));
        AnswerIdentity("VELMORA");
    }

    void AnswerIdentity(const std::string& manufacturer) {
        port.On("at+cgmi\r", Now("\r\n" + manufacturer + "\r\n\r\nOK\r\n"));
        port.On("at+cgmm\r", Now("\r\nPhoneSim 1\r\n\r\nOK\r\n"));
        port.On("at+cgmr\r", Now("\r\n1.00\r\n\r\nOK\r\n"));
        port.On("at+cimi\r", Now("\r\n510109876543210\r\n\r\nOK\r\n"));
        port.On("at+csca?\r", Now("\r\n+CSCA: \"+628159000000\",145\r\n\r\nOK\r\n"));
        port.On("AT+CGSN\r", Now("\r\n354812345678901\r\n\r\nOK\r\n"));
    }

    // Connects, then forgets what connecting wrote, slept and showed.
    void Connected() {
        ASSERT_TRUE(session.Connect(1, 19200));
        Forget();
    }
    void Forget() {
        clock.clear();
        writtenBefore = port.written().size();
        events = RecordingEvents();
        events.logSink = &logs;
    }
    std::vector<std::string> Written() const {
        return {port.written().begin() + static_cast<std::ptrdiff_t>(writtenBefore), port.written().end()};
    }

    FakeClock clock;
    ScriptedPort port;
    RecordingEvents events;
    std::vector<std::pair<std::string, std::string>> logs;
    PhoneSession session;
    std::size_t writtenBefore = 0;
};

} // namespace velmora::testing
