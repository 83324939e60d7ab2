#include "HistoryReader.h"

#include "Translations.h"

#include "QtText.h"

#include <QThread>

namespace velmora {

namespace {

// Holds the reader's own store; made and ended on the reader's thread, as a
// store's connection must be.
class Worker : public QObject {
public:
    Worker(QString path, MessageStore::Access access) : m_path(std::move(path)), m_access(access) {}

    // The store, opened at the first question; null when it cannot be.
    MessageStore* store(QString& why) {
        if (!m_store && !m_refused) {
            auto opened = MessageStore::Open(m_path, m_access);
            if (opened)
                m_store = std::move(opened.value());
            else
                why = Localized(opened.error());
            m_refused = !opened;
        }
        return m_store.get();
    }
    void close() { m_store.reset(); }

private:
    QString m_path;
    MessageStore::Access m_access;
    std::unique_ptr<MessageStore> m_store;
    bool m_refused = false;
};

} // namespace

HistoryReader::HistoryReader(const QString& storePath, MessageStore::Access access, QObject* parent)
    : QObject(parent), m_path(storePath), m_thread(new QThread), m_worker(new Worker(storePath, access)) {
    m_thread->setObjectName("HistoryReader");
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

MessageStore::Access HistoryReader::AccessFor(const MessageStore& store) {
    return store.fault() == MessageStore::Fault::ReadOnly ? MessageStore::Access::Read
                                                          : MessageStore::Access::Write;
}

HistoryReader::~HistoryReader() {
    // The store closes on its own thread once the question being answered
    // now is; those after it are dropped.
    m_ending = true;
    auto* worker = static_cast<Worker*>(m_worker);
    QMetaObject::invokeMethod(
        m_worker,
        [worker] {
            worker->close();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

void HistoryReader::post(std::function<void(MessageStore&)> job) {
    auto* worker = static_cast<Worker*>(m_worker);
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker, job = std::move(job)] {
            if (m_ending)
                return;
            QString why;
            if (MessageStore* store = worker->store(why))
                job(*store);
            else if (!why.isEmpty())
                emit problem(why);
        },
        Qt::QueuedConnection);
}

} // namespace velmora
