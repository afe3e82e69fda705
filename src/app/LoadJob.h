#pragma once
// One load on its own thread. Progress and the finished result are queued in a mailbox that the
// loader fills and the owner's thread empties on a short timer while the load runs; the owner
// never waits for the loader except when it cancels and joins. Only the mailbox's mutex passes
// data between the threads (no Qt event crosses them), so ThreadSanitizer sees every hand-over.

#include "data/Loader.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kurvon {

class LoadJob : public QObject {
    Q_OBJECT
public:
    // Run on the thread that owns the job, in the order the loader reported.
    struct Callbacks {
        std::function<void()> show;            // progress bar shown at position 0
        std::function<void(int)> position;     // a new progress position
        std::function<void(LoadResult&)> done; // the load ended (any status)
    };

    static constexpr int kCollectPeriodMs = 15;

    LoadJob();
    ~LoadJob() override; // cancels and joins

    // Starts the thread; false when it cannot be created.
    bool Start(const std::string& path, std::uint32_t colorSeed, Callbacks callbacks);

    bool Running() const { return m_thread.joinable(); }
    // Asks the loader to stop, waits for its thread and drops whatever it reported.
    void CancelAndJoin();
    // Waits for the thread (it has finished, or is about to, once `done` ran).
    void Join();

    // Called on the loader's thread. Progress that finds no memory is dropped; the result
    // always arrives, since its place was made before the thread started.
    void PostShow();
    void PostPosition(int position);
    void PostDone(LoadResult result) noexcept;

private:
    struct Mail {
        enum class Kind { Show, Position } kind;
        int position = 0;
    };

    void Post(Mail mail);
    void DeliverMail(); // on the owner's thread

    std::mutex m_mutex;
    std::deque<Mail> m_mail;              // guarded by m_mutex
    std::unique_ptr<LoadResult> m_result; // guarded by m_mutex; made before the thread starts
    bool m_finished = false;              // guarded by m_mutex: m_result holds the answer
    Callbacks m_callbacks;                // owner's thread only
    QTimer m_collector;                   // owner's thread only
    std::thread m_thread;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};

} // namespace kurvon
