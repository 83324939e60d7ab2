#pragma once

// The Messages window reads the history on a thread of its own, through a
// connection of its own to the store's file: a search over a long history
// or a page far back never holds up the window. The window's own store
// (the one the service writes through) stays on the window's thread.

#include "MessageStore.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class QThread;

namespace velmora {

class HistoryReader : public QObject {
    Q_OBJECT
public:
    // Opens `storePath` on its thread at the first question, for writing
    // unless told to only read it (another program's store).
    explicit HistoryReader(const QString& storePath,
                           MessageStore::Access access = MessageStore::Access::Write,
                           QObject* parent = nullptr);
    // How a reader beside `store` opens the file: as `store` was opened.
    static MessageStore::Access AccessFor(const MessageStore& store);
    // Waits for the question being answered now; the rest are dropped. Its
    // askers must outlive it.
    ~HistoryReader() override;

    // Runs `work(store)` on the reader's thread, then `done(answer)` on the
    // thread of `asker`, in the order asked. Nothing comes back when the
    // store could not be opened (problem() says why).
    template <class Work, class Done> void ask(QObject* asker, Work work, Done done) {
        using Answer = std::invoke_result_t<Work&, MessageStore&>;
        post([asker = QPointer<QObject>(asker), work = std::move(work),
              done = std::move(done)](MessageStore& store) mutable {
            Answer answer = work(store);
            if (asker)
                QMetaObject::invokeMethod(
                    asker.data(),
                    [done = std::move(done), answer = std::move(answer)]() mutable {
                        done(std::move(answer));
                    },
                    Qt::QueuedConnection);
        });
    }

signals:
    // The store's sentence when it could not be opened for reading.
    void problem(const QString& why);

private:
    void post(std::function<void(MessageStore&)> job);

    QString m_path;
    std::atomic<bool> m_ending = false; // questions not begun yet are dropped
    QThread* m_thread;
    QObject* m_worker; // lives on m_thread, holds the store
};

} // namespace velmora
