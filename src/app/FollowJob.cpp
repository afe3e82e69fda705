#include "app/FollowJob.h"

#include "data/FollowReader.h"

#include <chrono>
#include <new>
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
    m_pointUnsure = false;
    {
        std::lock_guard lock(m_mutex);
        m_stop = m_poked = m_settle = m_outOfMemory = false;
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

std::optional<FollowPoint> FollowJob::Stop(bool settle) {
    if (!m_thread.joinable())
        return m_pointUnsure ? std::nullopt : std::optional(m_point);
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
        m_outOfMemory = false;
    }
    return m_pointUnsure ? std::nullopt : std::optional(m_point);
}

void FollowJob::Poke() {
    {
        std::lock_guard lock(m_mutex);
        m_poked = true;
    }
    m_wake.notify_all();
}

void FollowJob::Run(const std::string& path) {
    try {
        Follow(path);
    } catch (const std::bad_alloc&) {
        Fail(); // outside the reader's own care, say in a hand-over
    }
}

void FollowJob::Fail() noexcept {
    m_pointUnsure = true;
    std::lock_guard lock(m_mutex);
    m_outOfMemory = true;
}

void FollowJob::Follow(const std::string& path) {
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
        const GrowthKind kind = growth.kind;
        if (kind == GrowthKind::OutOfMemory) {
            Fail();
            return;
        }
        if (kind == GrowthKind::Records && !Post(std::move(growth)))
            return;
    }
    m_point = reader.Point();
}

bool FollowJob::LookAll(FollowReader& reader, int& quiet, GrowthKind& said) {
    do {
        Growth growth = reader.Look(quiet >= kSettleLooks);
        quiet = growth.bytes != 0 || growth.kind == GrowthKind::Records ? 0 : quiet + 1;
        const GrowthKind kind = growth.kind;
        if (kind == GrowthKind::OutOfMemory) {
            Fail(); // the reader's point may stand halfway through the look
            return false;
        }
        if (kind == GrowthKind::Gone || kind == GrowthKind::Unreadable) {
            // Said once; looked for again until it comes back.
            if (std::exchange(said, kind) != kind && !Post(std::move(growth)))
                return false;
            return true;
        }
        if (said != GrowthKind::Nothing) {
            said = GrowthKind::Nothing;
            if (!Post(Growth{})) // back again
                return false;
        }
        if (kind == GrowthKind::Nothing)
            continue;
        if (!Post(std::move(growth)) || kind != GrowthKind::Records)
            return false;
        // Read on only once the owner has taken what was found.
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_stop || m_mail.empty(); });
        if (m_stop)
            return true;
    } while (reader.More());
    return true;
}

bool FollowJob::Post(Growth growth) {
    try {
        std::lock_guard lock(m_mutex);
        m_mail.push_back(std::move(growth));
        return true;
    } catch (const std::bad_alloc&) {
        Fail(); // what was read is never delivered
        return false;
    }
}

void FollowJob::DeliverMail() {
    std::deque<Growth> mail;
    bool outOfMemory = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_mail.empty() && !m_outOfMemory)
            return;
        mail.swap(m_mail);
        outOfMemory = std::exchange(m_outOfMemory, false);
    }
    m_wake.notify_all();
    for (Growth& growth : mail) {
        if (m_deliver)
            m_deliver(growth);
    }
    if (outOfMemory && m_deliver) {
        Growth failed;
        failed.kind = GrowthKind::OutOfMemory;
        m_deliver(failed);
    }
}

} // namespace kurvon
