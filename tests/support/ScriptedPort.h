#pragma once

#include "Clock.h"
#include "SerialLink.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace velmora {

// An in-memory phone for tests. It records every write with the clock's time
// and answers from a table keyed by the exact bytes written: each answer is a
// list of chunks, each arriving a delay after the write (so a reply can be
// split across polls). Bytes become readable when the clock reaches them.
class ScriptedPort : public SerialLink {
public:
    struct Chunk {
        int delayMs;
        std::string bytes;
    };
    using Answer = std::vector<Chunk>;
    enum class Op { Open, Write, Pending, Receive, LineSignals, Escape };

    explicit ScriptedPort(const Clock& clock) : m_clock(clock) {}

    // Every write of `command` gets `answer` (replacing an earlier one).
    void On(const std::string& command, Answer answer);
    // The next write of `command` gets `answer`, before any standing one.
    void Once(const std::string& command, Answer answer);
    // Writes that match no command get this answer, if set.
    void OnAnyOther(Answer answer) { m_default = std::move(answer); }
    // Everything written is echoed at once, as a phone does before "ate0".
    void SetEcho(bool on) { m_echo = on; }
    // The nth (from 1) call of `op` from now on raises EComPort `code`.
    void FailOn(Op op, int nth, int code);
    void SetLineSignals(LineSignals s) { m_lines = s; }

    const std::vector<std::string>& written() const { return m_written; }
    const std::vector<std::int64_t>& writeTimes() const { return m_writeTimes; }
    int opens() const { return m_opens; }

    void SetDataTerminalReady(bool on) override;
    void SetRequestToSend(bool on) override;
    int SendText(const std::string& bytes) override;
    int PendingInputBytes() override;
    std::string ReceiveText(int count) override;
    LineSignals ReadLineSignals() override;
    bool dtr() const { return m_dtr; }
    bool rts() const { return m_rts; }

protected:
    void DoOpen() override;
    void DoClose() override;
    void ApplyLineSettings() override {}

private:
    void Check(Op op);
    void Deliver();

    const Clock& m_clock;
    std::map<std::string, Answer> m_standing;
    std::map<std::string, std::deque<Answer>> m_once;
    Answer m_default;
    bool m_echo = false;
    std::map<Op, std::pair<int, int>> m_failures; // op -> (calls left, code)
    LineSignals m_lines;
    bool m_dtr = false;
    bool m_rts = false;
    int m_opens = 0;

    std::vector<std::string> m_written;
    std::vector<std::int64_t> m_writeTimes;
    std::multimap<std::int64_t, std::string> m_arriving;
    std::string m_queue;
};

} // namespace velmora
