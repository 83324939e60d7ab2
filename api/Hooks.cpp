#include "Hooks.h"

#include "EventJson.h"
#include "MessageApi.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

#include <csignal>
#include <unistd.h>

namespace velmora::api {

namespace {

// The hook and everything it started.
void KillGroup(QProcess& process) {
    if (const qint64 pid = process.processId(); pid > 0)
        ::kill(static_cast<pid_t>(-pid), SIGKILL);
    process.kill();
}

} // namespace

struct Hooks::Running {
    std::unique_ptr<QProcess> process;
    QTimer limit;
    const Command* command = nullptr;
    QByteArray stderrHead; // at most kMostStderr bytes of it
    bool killed = false;   // by the limit
    bool done = false;
};

Hooks::Hooks(MessageApi& api, const HooksConfig& config, QObject* parent)
    : QObject(parent), m_api(api), m_config(config) {}

Hooks::~Hooks() {
    m_waiting.clear();
    for (auto& run : m_running) {
        run->process->disconnect(this);
        KillGroup(*run->process);
        run->process->waitForFinished(1000);
    }
}

Result<Hooks::Command, QString> Hooks::Resolve(const QString& setting, const QString& value) {
    using R = Result<Command, QString>;
    const QStringList words = QProcess::splitCommand(value);
    if (words.isEmpty() || words.first().isEmpty())
        return R::Fail(tr("[Hooks] %1=: no program given").arg(setting));
    const QString& program = words.first();
    // A path is taken as it is; a bare name is looked for on PATH, as a
    // shell would, but here once, at the start.
    const QString found = program.contains(QLatin1Char('/')) ? QFileInfo(program).absoluteFilePath()
                                                             : QStandardPaths::findExecutable(program);
    const QFileInfo info(found);
    if (found.isEmpty() || !info.isFile() || !info.isExecutable())
        return R::Fail(tr("[Hooks] %1=: %2 is not a program that can be run").arg(setting, program));
    return R::Ok(Command{found, words.mid(1), setting});
}

Result<bool, QString> Hooks::start() {
    using R = Result<bool, QString>;
    if (!m_config.onReceive.isEmpty()) {
        auto command = Resolve(QStringLiteral("OnReceive"), m_config.onReceive);
        if (!command)
            return R::Fail(command.error());
        m_onReceive = std::make_unique<Command>(command.value());
    }
    if (!m_config.onState.isEmpty()) {
        auto command = Resolve(QStringLiteral("OnState"), m_config.onState);
        if (!command)
            return R::Fail(command.error());
        m_onState = std::make_unique<Command>(command.value());
    }
    // The message is read as the event is told, so the hook sees it as it
    // was then, however long it waits for its turn.
    if (m_onReceive)
        connect(&m_api, &MessageApi::received, this,
                [this](qint64 id, const QString&, const QString&, const QString&) {
                    auto message = m_api.get(id);
                    queue(*m_onReceive, EventJson(ReceivedEvent(), m_api.telling(), id,
                                                  message ? std::optional(message.value()) : std::nullopt));
                });
    if (m_onState)
        connect(&m_api, &MessageApi::stateChanged, this,
                [this](qint64 id, const QString& state, const QString& reason, uint part) {
                    if (part != 0)
                        return;
                    auto message = m_api.get(id);
                    queue(*m_onState,
                          EventJson(StateEvent(), m_api.telling(), id,
                                    message ? std::optional(message.value()) : std::nullopt, state, reason));
                });
    return R::Ok(true);
}

void Hooks::queue(const Command& command, QByteArray input) {
    if (m_waiting.size() >= static_cast<std::size_t>(m_mostWaiting)) {
        if (m_dropped == 0)
            qWarning().noquote()
                << tr("hooks: %1 events wait for their hook; new ones are dropped until fewer wait")
                       .arg(m_mostWaiting);
        ++m_dropped;
        ++m_droppedTotal;
        return;
    }
    m_waiting.push_back({&command, std::move(input)});
    launch();
}

void Hooks::launch() {
    while (m_running.size() < static_cast<std::size_t>(kAtOnce) && !m_waiting.empty()) {
        Job job = std::move(m_waiting.front());
        m_waiting.pop_front();
        auto run = std::make_unique<Running>();
        Running* r = run.get();
        r->command = job.command;
        r->process = std::make_unique<QProcess>();
        QProcess* p = r->process.get();
        p->setProgram(job.command->program);
        p->setArguments(job.command->arguments);
        p->setStandardOutputFile(QProcess::nullDevice());
        // A group of its own: a hook that is a script ends with what it
        // started (a curl, a sleep), not only its shell.
        p->setChildProcessModifier([] { ::setpgid(0, 0); });
        connect(p, &QProcess::readyReadStandardError, this, [r] {
            const QByteArray more = r->process->readAllStandardError();
            r->stderrHead.append(more.left(kMostStderr - r->stderrHead.size()));
        });
        connect(p, &QProcess::errorOccurred, this, [this, r](QProcess::ProcessError error) {
            // A program that never started ends here; one that started
            // ends in finished, whatever else went wrong on the way.
            if (error == QProcess::FailedToStart)
                finish(r, false, r->process->errorString());
        });
        connect(p, &QProcess::finished, this, [this, r](int code, QProcess::ExitStatus status) {
            if (r->killed) {
                finish(r, false, tr("still running after %1 s: stopped").arg(m_limitMs / 1000.0));
                return;
            }
            if (status == QProcess::NormalExit && code == 0) {
                finish(r, true, {});
                return;
            }
            QString why =
                status == QProcess::CrashExit ? tr("ended by a signal") : tr("exit status %1").arg(code);
            r->stderrHead.append(r->process->readAllStandardError().left(kMostStderr - r->stderrHead.size()));
            const QString first = QString::fromUtf8(r->stderrHead).section(QLatin1Char('\n'), 0, 0).trimmed();
            if (!first.isEmpty())
                why += QStringLiteral(": ") + first;
            finish(r, false, why);
        });
        r->limit.setSingleShot(true);
        connect(&r->limit, &QTimer::timeout, this, [r] {
            r->killed = true;
            KillGroup(*r->process);
        });
        m_running.push_back(std::move(run));
        r->limit.start(m_limitMs);
        p->start(QIODevice::ReadWrite);
        // Written as the hook reads it; the end of its input is the end of
        // the event. A hook that reads nothing loses nothing of ours. (One
        // that could not start at all was already let go.)
        if (p->state() != QProcess::NotRunning) {
            p->write(job.input);
            p->closeWriteChannel();
        }
    }
}

void Hooks::finish(Running* run, bool ok, const QString& problem) {
    if (run->done)
        return;
    run->done = true;
    run->limit.stop();
    const QString program = run->command->program;
    if (!ok)
        qWarning().noquote() << tr("hook %1 (%2): %3").arg(run->command->setting, program, problem);
    const auto it =
        std::find_if(m_running.begin(), m_running.end(), [run](const auto& r) { return r.get() == run; });
    if (it != m_running.end()) {
        // Deleted once its own signal has returned.
        QProcess* process = (*it)->process.release();
        process->disconnect(this);
        process->deleteLater();
        m_running.erase(it);
    }
    if (m_dropped > 0 && m_waiting.size() < static_cast<std::size_t>(m_mostWaiting / 2)) {
        qWarning().noquote() << tr("hooks: events dropped while too many waited: %1").arg(m_dropped);
        m_dropped = 0;
    }
    emit ended(program, ok);
    launch();
}

} // namespace velmora::api
