#include "app/LoadJob.h"

#include <new>
#include <system_error>
#include <type_traits>
#include <utility>

namespace kurvon {
namespace {

class MailboxSink final : public ProgressSink {
public:
    explicit MailboxSink(LoadJob& job) : m_job(job) {}
    void SetPosition(int position) override { m_job.PostPosition(position); }
    void Show() override { m_job.PostShow(); }

private:
    LoadJob& m_job;
};

} // namespace

LoadJob::LoadJob() {
    m_collector.setInterval(kCollectPeriodMs);
    connect(&m_collector, &QTimer::timeout, this, &LoadJob::DeliverMail);
}

LoadJob::~LoadJob() {
    CancelAndJoin();
}

bool LoadJob::Start(const std::string& path, std::uint32_t colorSeed, Callbacks callbacks) {
    Join();
    m_callbacks = std::move(callbacks);
    try {
        m_cancel = std::make_shared<std::atomic<bool>>(false);
        {
            std::lock_guard lock(m_mutex);
            m_result = std::make_unique<LoadResult>();
            m_finished = false;
        }
        m_thread = std::thread([this, path, colorSeed, cancel = m_cancel] {
            MailboxSink sink(*this);
            LoadOptions options;
            options.colorSeed = colorSeed;
            options.cancel = cancel.get();
            LoadResult result;
            try {
                result = LoadDataFile(path, sink, options);
            } catch (const std::bad_alloc&) {
                // Out of memory outside the loader's own care: still an answer, not the end of
                // the program.
                result = LoadResult{};
                result.status = LoadStatus::OutOfMemory;
            }
            PostDone(std::move(result));
        });
    } catch (const std::system_error&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_collector.start();
    return true;
}

void LoadJob::CancelAndJoin() {
    if (m_cancel)
        m_cancel->store(true);
    Join();
    // Whatever the loader reported is for a window that is going away: none of it is shown.
    m_collector.stop();
    std::lock_guard lock(m_mutex);
    m_mail.clear();
    m_result.reset();
    m_finished = false;
}

void LoadJob::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

void LoadJob::PostShow() {
    Post({Mail::Kind::Show});
}

void LoadJob::PostPosition(int position) {
    Post({Mail::Kind::Position, position});
}

void LoadJob::PostDone(LoadResult result) noexcept {
    static_assert(std::is_nothrow_move_assignable_v<LoadResult>);
    // Nothing here allocates: the result reaches its owner however short memory is. It comes
    // after every progress mail posted before it.
    std::lock_guard lock(m_mutex);
    *m_result = std::move(result);
    m_finished = true;
}

void LoadJob::Post(Mail mail) {
    std::lock_guard lock(m_mutex);
    try {
        m_mail.push_back(mail);
    } catch (const std::bad_alloc&) {
        // A progress step less; the load goes on.
    }
}

void LoadJob::DeliverMail() {
    std::deque<Mail> mail;
    std::unique_ptr<LoadResult> result;
    {
        std::lock_guard lock(m_mutex);
        mail.swap(m_mail);
        if (m_finished) {
            result = std::move(m_result);
            m_finished = false;
        }
    }
    // The callbacks may open dialogs with their own event loops; this batch is ours alone.
    const Callbacks callbacks = m_callbacks;
    for (const Mail& m : mail) {
        switch (m.kind) {
        case Mail::Kind::Show:
            callbacks.show();
            break;
        case Mail::Kind::Position:
            callbacks.position(m.position);
            break;
        }
    }
    if (result) {
        m_collector.stop(); // nothing follows; `done` may start the next load
        callbacks.done(*result);
    }
}

} // namespace kurvon
