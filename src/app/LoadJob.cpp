#include "app/LoadJob.h"

#include <QMetaObject>
#include <QObject>
#include <system_error>

namespace kurvon {
namespace {

class QueuedProgressSink final : public ProgressSink {
public:
    QueuedProgressSink(QObject* receiver, const LoadJob::Callbacks& callbacks)
        : m_receiver(receiver), m_callbacks(callbacks) {}

    void SetPosition(int position) override {
        QMetaObject::invokeMethod(
            m_receiver, [cb = m_callbacks.position, position] { cb(position); },
            Qt::QueuedConnection);
    }
    void Show() override {
        QMetaObject::invokeMethod(m_receiver, m_callbacks.show, Qt::QueuedConnection);
    }

private:
    QObject* m_receiver;
    const LoadJob::Callbacks& m_callbacks;
};

} // namespace

LoadJob::~LoadJob() {
    CancelAndJoin();
}

bool LoadJob::Start(const std::string& path, std::uint32_t colorSeed, QObject* receiver,
                    Callbacks callbacks) {
    Join();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    try {
        m_thread = std::thread([path, colorSeed, receiver, cancel = m_cancel,
                                callbacks = std::move(callbacks)] {
            QueuedProgressSink sink(receiver, callbacks);
            LoadOptions options;
            options.colorSeed = colorSeed;
            options.cancel = cancel.get();
            auto result = std::make_shared<LoadResult>(LoadDataFile(path, sink, options));
            // Queued calls to a receiver that is gone are dropped with it; the receiver joins
            // this thread before it goes, so it cannot vanish while the call is being posted.
            QMetaObject::invokeMethod(
                receiver, [done = callbacks.done, result] { done(*result); }, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void LoadJob::CancelAndJoin() {
    if (m_cancel)
        m_cancel->store(true);
    Join();
}

void LoadJob::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kurvon
