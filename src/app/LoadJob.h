#pragma once
// One load on its own thread. Progress and the finished result reach the receiver's thread as
// queued calls; the receiver never waits for the loader except when it cancels and joins.

#include "data/Loader.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class QObject;

namespace kurvon {

class LoadJob {
public:
    struct Callbacks {
        std::function<void()> show;            // progress bar shown at position 0
        std::function<void(int)> position;     // a new progress position
        std::function<void(LoadResult&)> done; // the load ended (any status)
    };

    LoadJob() = default;
    ~LoadJob(); // cancels and joins
    LoadJob(const LoadJob&) = delete;
    LoadJob& operator=(const LoadJob&) = delete;

    // Starts the thread; false when it cannot be created. The callbacks run on the receiver's
    // thread, and only while the receiver exists.
    bool Start(const std::string& path, std::uint32_t colorSeed, QObject* receiver,
               Callbacks callbacks);

    bool Running() const { return m_thread.joinable(); }
    // Asks the loader to stop and waits for its thread.
    void CancelAndJoin();
    // Waits for a thread whose done callback has run.
    void Join();

private:
    std::thread m_thread;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};

} // namespace kurvon
