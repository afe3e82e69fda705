#pragma once
// The cycle table computed on its own thread over the view's data set. The thread only reads the
// data set; the view stops and joins it (CancelAndJoin, a fraction of a table's time) before it
// replaces, grows or frees the data set. The finished table waits under a mutex until the owner's
// thread collects it on a short timer, as the loader's result does.

#include "analysis/CycleTable.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace kurvon {

class CycleJob : public QObject {
    Q_OBJECT
public:
    static constexpr int kCollectPeriodMs = 15;

    CycleJob();
    ~CycleJob() override; // joins

    // Starts computing; a job still running is joined and its table dropped first. `done` runs
    // on the owner's thread, given the table, or null when memory ran out. False when no thread
    // can be started.
    bool Start(const DataSet& data, const ChannelRoles& roles, const CycleOptions& options,
               std::function<void(CycleTable*)> done);
    bool Running() const { return m_thread.joinable(); }
    // Tells the thread to stop, waits for it and drops its table.
    void CancelAndJoin();

private:
    void Collect(); // on the owner's thread

    std::mutex m_mutex;
    std::unique_ptr<CycleTable> m_result; // guarded by m_mutex
    bool m_failed = false;                // guarded by m_mutex
    std::function<void(CycleTable*)> m_done;
    QTimer m_collector;
    std::atomic<bool> m_cancel{false};
    std::thread m_thread;
};

} // namespace kurvon
