#include "app/CycleJob.h"

#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace kurvon {

CycleJob::CycleJob() {
    m_collector.setInterval(kCollectPeriodMs);
    connect(&m_collector, &QTimer::timeout, this, &CycleJob::Collect);
}

CycleJob::~CycleJob() {
    CancelAndJoin();
}

bool CycleJob::Start(const DataSet& data, const ChannelRoles& roles, const CycleOptions& options,
                     std::function<void(CycleTable*)> done) {
    CancelAndJoin();
    m_done = std::move(done);
    m_cancel.store(false, std::memory_order_relaxed);
    CycleOptions cancellable = options;
    cancellable.cancel = &m_cancel;
    try {
        m_thread = std::thread([this, &data, roles, cancellable] {
            std::unique_ptr<CycleTable> table;
            try {
                table = std::make_unique<CycleTable>(ComputeCycleTable(data, roles, cancellable));
            } catch (const std::bad_alloc&) {
            } catch (const std::length_error&) {
            }
            std::lock_guard lock(m_mutex);
            m_result = std::move(table);
            m_failed = !m_result;
        });
    } catch (const std::system_error&) {
        return false;
    }
    m_collector.start();
    return true;
}

void CycleJob::CancelAndJoin() {
    m_cancel.store(true, std::memory_order_relaxed);
    if (m_thread.joinable())
        m_thread.join();
    m_collector.stop();
    std::lock_guard lock(m_mutex);
    m_result.reset();
    m_failed = false;
}

void CycleJob::Collect() {
    std::unique_ptr<CycleTable> table;
    bool failed;
    {
        std::lock_guard lock(m_mutex);
        table = std::move(m_result);
        failed = std::exchange(m_failed, false);
    }
    if (!table && !failed)
        return;
    m_collector.stop();
    if (m_thread.joinable())
        m_thread.join(); // it has stored its table: it is ending
    if (m_done)
        m_done(table.get());
}

} // namespace kurvon
