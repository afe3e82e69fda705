#include "app/LoadJob.h"

#include <system_error>
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
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    try {
        m_thread = std::thread([this, path, colorSeed, cancel = m_cancel] {
            MailboxSink sink(*this);
            LoadOptions options;
            options.colorSeed = colorSeed;
            options.cancel = cancel.get();
            PostDone(LoadDataFile(path, sink, options));
        });
    } catch (const std::system_error&) {
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

void LoadJob::PostDone(LoadResult result) {
    // The result and its mail go in together: a delivery between the two would take the result
    // without its mail and drop it, and the owner would wait for `done` for ever.
    std::lock_guard lock(m_mutex);
    m_result = std::make_unique<LoadResult>(std::move(result));
    m_mail.push_back({Mail::Kind::Done});
}

void LoadJob::Post(Mail mail) {
    std::lock_guard lock(m_mutex);
    m_mail.push_back(mail);
}

void LoadJob::DeliverMail() {
    std::deque<Mail> mail;
    std::unique_ptr<LoadResult> result;
    {
        std::lock_guard lock(m_mutex);
        mail.swap(m_mail);
        result = std::move(m_result);
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
        case Mail::Kind::Done:
            m_collector.stop(); // nothing follows; `done` may start the next load
            if (result)
                callbacks.done(*result);
            break;
        }
    }
}

} // namespace kurvon
