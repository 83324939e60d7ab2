#include "ScriptedPort.h"

#include <cerrno>

namespace velmora {

void ScriptedPort::On(const std::string& command, Answer answer) { m_standing[command] = std::move(answer); }

void ScriptedPort::Once(const std::string& command, Answer answer) {
    m_once[command].push_back(std::move(answer));
}

void ScriptedPort::FailOn(Op op, int nth, int code) { m_failures[op] = {nth, code}; }

void ScriptedPort::Check(Op op) {
    auto it = m_failures.find(op);
    if (it == m_failures.end())
        return;
    if (--it->second.first > 0)
        return;
    const int code = it->second.second;
    m_failures.erase(it);
    throw EComPort(code, EIO);
}

void ScriptedPort::DoOpen() {
    Check(Op::Open);
    ++m_opens;
    m_queue.clear();
    m_arriving.clear();
}

void ScriptedPort::DoClose() {
    m_queue.clear();
    m_arriving.clear();
}

void ScriptedPort::SetDataTerminalReady(bool on) {
    Check(Op::Escape);
    m_dtr = on;
}

void ScriptedPort::SetRequestToSend(bool on) {
    Check(Op::Escape);
    m_rts = on;
}

int ScriptedPort::SendText(const std::string& bytes) {
    Check(Op::Write);
    Led(LedSignal::Tx).set(true);
    const std::int64_t now = m_clock.NowMs();
    m_written.push_back(bytes);
    m_writeTimes.push_back(now);
    if (m_echo)
        m_arriving.emplace(now, bytes);
    const Answer* answer = nullptr;
    Answer once;
    if (auto it = m_once.find(bytes); it != m_once.end() && !it->second.empty()) {
        once = std::move(it->second.front());
        it->second.pop_front();
        answer = &once;
    } else if (auto st = m_standing.find(bytes); st != m_standing.end()) {
        answer = &st->second;
    } else {
        answer = &m_default;
    }
    for (const auto& chunk : *answer)
        m_arriving.emplace(now + chunk.delayMs, chunk.bytes);
    Led(LedSignal::Tx).set(false);
    return static_cast<int>(bytes.size());
}

void ScriptedPort::Deliver() {
    const std::int64_t now = m_clock.NowMs();
    while (!m_arriving.empty() && m_arriving.begin()->first <= now) {
        m_queue += m_arriving.begin()->second;
        m_arriving.erase(m_arriving.begin());
    }
    if (!m_queue.empty())
        Led(LedSignal::Rx).set(true);
}

int ScriptedPort::PendingInputBytes() {
    Check(Op::Pending);
    Deliver();
    return static_cast<int>(m_queue.size());
}

std::string ScriptedPort::ReceiveText(int count) {
    Check(Op::Receive);
    Deliver();
    const auto n = std::min<std::size_t>(count > 0 ? static_cast<std::size_t>(count) : 0, m_queue.size());
    std::string bytes = m_queue.substr(0, n);
    m_queue.erase(0, n);
    if (m_queue.empty())
        Led(LedSignal::Rx).set(false);
    return bytes;
}

LineSignals ScriptedPort::ReadLineSignals() {
    Check(Op::LineSignals);
    return m_lines;
}

} // namespace velmora
