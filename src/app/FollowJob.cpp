#include "app/FollowJob.h"

#include "data/FollowReader.h"

#include <chrono>
#include <system_error>
#include <utility>

namespace kurvon {

FollowJob::FollowJob() {
    m_collector.setInterval(kCollectPeriodMs);
    connect(&m_collector, &QTimer::timeout, this, &FollowJob::DeliverMail);
}

FollowJob::~FollowJob() {
    Stop(false);
}

bool FollowJob::Start(const std::string& path, FollowPoint point, Deliver deliver) {
    Stop(false);
    m_deliver = std::move(deliver);
    m_point = std::move(point);
    {
        std::lock_guard lock(m_mutex);
        m_stop = m_poked = m_settle = false;
        m_mail.clear();
    }
    try {
        m_thread = std::thread([this, path] { Run(path); });
    } catch (const std::system_error&) {
        return false;
    }
    m_collector.start();
    return true;
}

FollowPoint FollowJob::Stop(bool settle) {
    if (!m_thread.joinable())
        return m_point;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_settle = settle;
    }
    m_wake.notify_all();
    m_thread.join();
    m_collector.stop();
    if (settle) {
        DeliverMail();
    } else {
        std::lock_guard lock(m_mutex);
        m_mail.clear();
    }
    return m_point;
}

void FollowJob::Poke() {
    {
        std::lock_guard lock(m_mutex);
        m_poked = true;
    }
    m_wake.notify_all();
}

void FollowJob::Run(const std::string& path) {
    FollowReader reader(path, m_point);
    int quiet = 0;
    GrowthKind said = GrowthKind::Nothing;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait_for(lock, std::chrono::milliseconds(kLookPeriodMs),
                        [this] { return m_stop || m_poked; });
        if (m_stop)
            break;
        m_poked = false;
        lock.unlock();
        const bool goesOn = LookAll(reader, quiet, said);
        lock.lock();
        if (!goesOn)
            break;
    }
    const bool settle = m_stop && m_settle;
    lock.unlock();
    if (settle) {
        Growth growth = reader.Look(true);
        if (growth.kind == GrowthKind::Records)
            Post(std::move(growth));
    }
    m_point = reader.Point();
}

bool FollowJob::LookAll(FollowReader& reader, int& quiet, GrowthKind& said) {
    do {
        Growth growth = reader.Look(quiet >= kSettleLooks);
        quiet = growth.bytes != 0 || growth.kind == GrowthKind::Records ? 0 : quiet + 1;
        const GrowthKind kind = growth.kind;
        if (kind == GrowthKind::Gone || kind == GrowthKind::Unreadable) {
            // Said once; looked for again until it comes back.
            if (std::exchange(said, kind) != kind)
                Post(std::move(growth));
            return true;
        }
        if (said != GrowthKind::Nothing) {
            said = GrowthKind::Nothing;
            Post(Growth{}); // back again
        }
        if (kind == GrowthKind::Nothing)
            continue;
        Post(std::move(growth));
        if (kind != GrowthKind::Records)
            return false;
        // Read on only once the owner has taken what was found.
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_stop || m_mail.empty(); });
        if (m_stop)
            return true;
    } while (reader.More());
    return true;
}

void FollowJob::Post(Growth growth) {
    {
        std::lock_guard lock(m_mutex);
        m_mail.push_back(std::move(growth));
    }
}

void FollowJob::DeliverMail() {
    std::deque<Growth> mail;
    {
        std::lock_guard lock(m_mutex);
        if (m_mail.empty())
            return;
        mail.swap(m_mail);
    }
    m_wake.notify_all();
    for (Growth& growth : mail) {
        if (m_deliver)
            m_deliver(growth);
    }
}

} // namespace kurvon
