// Follows a file that a writer thread appends to at a fixed rate, in the real window on the
// offscreen platform, and prints the latency from a record's write to its arrival in the view's
// data set and the UI thread's time per update (taking a growth in) and per repaint.
//
//   follow_bench [RECORDS_PER_SECOND [SECONDS]]      default 10000 records/s of 12 channels, 10 s

#include "app/CKurvonApp.h"
#include "app/CKurvonView.h"
#include "app/CMainFrame.h"
#include "app/QtPrompts.h"
#include "controls/CColorListCtrl.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kChannels = 12;
constexpr const char* kFile = "/tmp/kurvon_follow_bench.kvd";

// Times the UI thread's handling of the follower's hand-overs (any event during which the view's
// record count grows) and of the view's paints.
class TimingApp : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (!view)
            return QApplication::notify(receiver, event);
        // The main loop below runs inside an event: only the innermost event that grew the data
        // (or painted) is timed.
        const bool paint =
            event->type() == QEvent::Paint && qobject_cast<kurvon::CKurvonView*>(receiver);
        const std::uint64_t before = view->State().data.recordCount;
        const std::size_t timedBefore = updates.size() + paints.size();
        const auto start = Clock::now();
        const bool result = QApplication::notify(receiver, event);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (updates.size() + paints.size() != timedBefore)
            return result;
        const bool growth = view->State().data.recordCount != before;
        if (growth)
            updates.push_back(ms);
        else if (paint)
            paints.push_back(ms);
        if (growth && afterUpdate)
            afterUpdate();
        return result;
    }
    kurvon::CKurvonView* view = nullptr;
    std::vector<double> updates, paints;
    std::function<void()> afterUpdate;
};

std::string Line(std::uint64_t r) {
    std::string line;
    for (int c = 0; c < kChannels; ++c) {
        line += std::to_string((r * (c + 7)) % 100000 / 10.0);
        line += c + 1 < kChannels ? '\t' : '\r';
    }
    return line + '\n';
}

void Print(const char* what, std::vector<double> v) {
    if (v.empty()) {
        std::printf("%-28s none\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    std::printf("%-28s n=%zu median %.2f ms, p99 %.2f ms, max %.2f ms\n", what, v.size(),
                v[v.size() / 2], v[v.size() * 99 / 100], v.back());
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t rate = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    {
        std::ofstream file(kFile, std::ios::binary | std::ios::trunc);
        file << "follow bench\r\n";
        for (int c = 0; c < kChannels; ++c)
            file << "ch" << c << (c + 1 < kChannels ? "\t" : "\r\n");
        for (std::uint64_t r = 0; r < 1000; ++r)
            file << Line(r);
    }
    int fakeArgc = 1;
    TimingApp app(fakeArgc, argv);
    kurvon::SetUpApplication();
    kurvon::CKurvonApp kurvon;
    kurvon.InitInstance(std::make_unique<kurvon::QtPrompts>(), QString::fromUtf8(kFile), true);
    kurvon::CKurvonView& view = *kurvon.MainFrame()->View();
    app.view = &view;
    while (!view.State().dataLoaded)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    for (int c = 0; c < kChannels; c += 4)
        view.ChannelList()->SetChecked(c, true);
    view.OnTimer(); // ticked channels are drawn: repaints cost what they cost

    // The writer: every 10 ms the records due by then, one write each.
    const std::uint64_t total = rate * static_cast<std::uint64_t>(seconds);
    std::vector<Clock::time_point> written(total);
    std::atomic<std::uint64_t> published{0};
    std::thread writer([&] {
        std::ofstream file(kFile, std::ios::binary | std::ios::app);
        const auto start = Clock::now();
        std::uint64_t r = 0;
        while (r < total) {
            std::this_thread::sleep_until(start +
                                          std::chrono::milliseconds(10) *
                                              (r * 100 / std::max<std::uint64_t>(1, rate) + 1));
            const std::uint64_t due = std::min(
                total, (Clock::now() - start) / std::chrono::milliseconds(10) * rate / 100);
            std::string chunk;
            const std::uint64_t first = r;
            for (; r < due; ++r)
                chunk += Line(1000 + r);
            const auto now = Clock::now();
            for (std::uint64_t i = first; i < r; ++i)
                written[i] = now;
            file << chunk << std::flush;
            published.store(r, std::memory_order_release);
        }
    });

    std::vector<double> latencies;
    std::uint64_t seen = 1000;
    app.afterUpdate = [&] {
        const std::uint64_t count = view.State().data.recordCount;
        const auto now = Clock::now();
        while (published.load(std::memory_order_acquire) + 1000 < count)
            std::this_thread::yield();
        for (; seen < count; ++seen)
            latencies.push_back(
                std::chrono::duration<double, std::milli>(now - written[seen - 1000]).count());
    };
    QTimer::singleShot(0, [&] {
        const auto deadline = Clock::now() + std::chrono::seconds(seconds + 5);
        while (seen < 1000 + total && Clock::now() < deadline)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QApplication::quit();
    });
    QApplication::exec();
    writer.join();

    std::printf("follow_bench: %llu records/s of %d channels for %d s, %llu of %llu arrived\n",
                static_cast<unsigned long long>(rate), kChannels, seconds,
                static_cast<unsigned long long>(seen - 1000),
                static_cast<unsigned long long>(total));
    Print("latency write -> model", latencies);
    Print("UI thread per update", app.updates);
    Print("UI thread per repaint", app.paints);
    kurvon.MainFrame()->close();
    std::filesystem::remove(kFile);
    return seen == 1000 + total ? 0 : 1;
}
