#include "data/LeadingLines.h"

#include "data/FieldRule.h"
#include "data/LineChunks.h"
#include "data/TextLines.h"

namespace kurvon {

namespace {

// Keeps the 2nd and 3rd non-blank lines; true once the 3rd is kept.
struct Collector {
    LeadingLines& lines;
    int nonBlank = 0;

    bool Take(const char* begin, const char* end) {
        if (IsBlankLine(begin, end))
            return false;
        ++nonBlank;
        if (nonBlank == 2)
            lines.names.assign(begin, end);
        else if (nonBlank == 3)
            lines.firstData.assign(begin, end);
        return nonBlank == 3;
    }

    // The whole lines of the window, with window.last the rest too. nullptr once done.
    const char* Feed(const LineWindow& window) {
        const char* p = window.begin;
        TextLine line;
        while (NextTerminatedLine(p, window.end, line)) {
            if (Take(line.begin, line.end))
                return nullptr;
        }
        if (window.last && p < window.end && Take(p, window.end))
            return nullptr;
        return p;
    }
};

} // namespace

PassOutcome ReadLeadingLines(const InputFile& file, std::uint64_t textEnd, std::size_t chunkBytes,
                             const std::atomic<bool>* cancel, LeadingLines& lines) {
    lines = LeadingLines{};
    LineChunks chunks(file, 0, textEnd, chunkBytes, true);
    Collector collector{lines};
    const auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
    const PassOutcome outcome = FeedWindows(
        chunks, cancelled, [&](const LineWindow& window) { return collector.Feed(window); });
    // The collector stops the feed once it has its lines: that is done unless the load was
    // cancelled.
    if (outcome == PassOutcome::Cancelled && !cancelled())
        return PassOutcome::Done;
    return outcome;
}

} // namespace kurvon
