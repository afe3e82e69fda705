#pragma once
// Follows the open data file on a thread of its own: about twice a second, and at once when
// poked (a file-system watcher saw a change), it looks at the file and reads what was appended.
// Each finding is queued in a mailbox that the owner's thread empties on a short timer (only the
// mailbox's mutex passes data between the threads, so ThreadSanitizer sees every hand-over); the
// worker reads no further until the owner has taken it, so memory stays bounded. A change
// other than growth ends the worker (the owner decides what follows), except a file that is
// gone or unreadable: that is said once, and the worker goes on looking for it to come back.

#include "data/FollowPoint.h"
#include "data/Growth.h"

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kurvon {

class FollowJob : public QObject {
    Q_OBJECT
public:
    static constexpr int kLookPeriodMs = 500;
    static constexpr int kCollectPeriodMs = 50;
    // Looks without any change before a held-back last line counts as a record (3 seconds).
    static constexpr int kSettleLooks = 6;

    using Deliver = std::function<void(Growth&)>;

    FollowJob();
    ~FollowJob() override;

    // false when the thread cannot be created.
    bool Start(const std::string& path, FollowPoint point, Deliver deliver);
    // Ends the worker and returns where it stood: none when it ran short of memory, since its
    // point may then lie past records it never delivered. settle: a held-back last line is
    // read as a record first and delivered before Stop returns; otherwise nothing more is.
    std::optional<FollowPoint> Stop(bool settle);
    void Poke();
    bool Running() const { return m_thread.joinable(); }

private:
    void Run(const std::string& path);
    void Follow(const std::string& path);
    // On the worker: memory ran out, following ends; the owner is told with an OutOfMemory
    // growth, which needs no memory of the worker's.
    void Fail() noexcept;
    // Looks until nothing more is there; false once following ends.
    bool LookAll(class FollowReader& reader, int& quiet, GrowthKind& said);
    bool Post(Growth growth); // false when it could not be queued: it calls Fail
    void DeliverMail();       // on the owner's thread

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;        // guarded by m_mutex
    bool m_poked = false;       // guarded by m_mutex
    bool m_settle = false;      // guarded by m_mutex
    std::deque<Growth> m_mail;  // guarded by m_mutex
    bool m_outOfMemory = false; // guarded by m_mutex: Fail was called, the owner not yet told
    FollowPoint m_point;        // the worker's own until it is joined
    bool m_pointUnsure = false; // likewise: Fail was called
    Deliver m_deliver;          // owner's thread only
    QTimer m_collector;         // empties the mailbox while the worker runs
    std::thread m_thread;
};

} // namespace kurvon
