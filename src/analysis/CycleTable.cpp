#include "analysis/CycleTable.h"

#include "analysis/CycleBlocks.h"
#include "data/HelperThread.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

namespace kurvon {
namespace {

constexpr double kEmpty = std::numeric_limits<double>::quiet_NaN();

const float* ColumnOf(const DataSet& data, const RoleChoice& choice) {
    if (!choice.channel || *choice.channel >= data.channelCount ||
        data.columns[*choice.channel].size() < data.recordCount)
        return nullptr;
    return data.columns[*choice.channel].data();
}

// The largest finite |I|, from the channel's summary when it has one.
float LargestCurrent(const DataSet& data, std::uint32_t channel, const float* current) {
    ValueClasses classes;
    if (channel < data.summaries.size() && data.summaries[channel].Covers(data.recordCount)) {
        classes = data.summaries[channel].Range(current, 0, data.recordCount - 1);
    } else {
        for (std::uint32_t r = 0; r < data.recordCount; ++r)
            classes.Add(current[r]);
    }
    if (!(classes.flags & ValueClasses::kFinite))
        return 0;
    return std::max(std::fabs(classes.minFinite), std::fabs(classes.maxFinite));
}

int FirstState(const float* current, std::uint32_t count, float threshold) {
    for (std::uint32_t r = 0; r < count; ++r) {
        if (current[r] > threshold)
            return 1;
        if (current[r] < -threshold)
            return -1;
    }
    return 0;
}

double Ratio(double numerator, double denominator) {
    return denominator != 0 ? 100.0 * numerator / denominator : kEmpty;
}

CycleFigures Figures(const CycleInputs& in, const CycleSegment& s, std::uint32_t last,
                     const CycleOptions& options) {
    CycleFigures f;
    f.firstRecord = s.first;
    f.lastRecord = last;
    f.durationS =
        in.time ? (double(in.time[last]) - double(in.time[s.first])) * in.timeFactor : kEmpty;
    if (!std::isfinite(f.durationS))
        f.durationS = kEmpty;
    const bool integrated = in.current && in.time;
    f.chargeAh = integrated ? s.chargeAs / 3600.0 : kEmpty;
    f.dischargeAh = integrated ? s.dischargeAs / 3600.0 : kEmpty;
    f.chargeWh = integrated && in.voltage ? s.chargeWs / 3600.0 : kEmpty;
    f.dischargeWh = integrated && in.voltage ? s.dischargeWs / 3600.0 : kEmpty;
    if (options.inverseEfficiency) {
        f.coulombicEfficiencyPct = Ratio(f.chargeAh, f.dischargeAh);
        f.energyEfficiencyPct = Ratio(f.chargeWh, f.dischargeWh);
    } else {
        f.coulombicEfficiencyPct = Ratio(f.dischargeAh, f.chargeAh);
        f.energyEfficiencyPct = Ratio(f.dischargeWh, f.chargeWh);
    }
    const auto voltageAt = [&](std::int64_t record) {
        return record >= 0 && in.voltage ? double(in.voltage[record]) * in.voltageFactor : kEmpty;
    };
    f.endOfChargeV = voltageAt(s.lastCharging);
    f.endOfDischargeV = voltageAt(s.lastDischarging);
    const bool anyV = s.minV <= s.maxV;
    f.minV = anyV ? double(s.minV) * in.voltageFactor : kEmpty;
    f.maxV = anyV ? double(s.maxV) * in.voltageFactor : kEmpty;
    f.skippedPairs = s.skipped;
    return f;
}

bool Cancelled(const CycleOptions& options) {
    return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

} // namespace

CycleTable ComputeCycleTable(const DataSet& data, const ChannelRoles& roles,
                             const CycleOptions& options) {
    CycleTable table;
    const std::uint32_t count = data.recordCount;
    CycleInputs in;
    in.cycle = ColumnOf(data, roles[Role::Cycle]);
    in.current = ColumnOf(data, roles[Role::Current]);
    in.voltage = ColumnOf(data, roles[Role::Voltage]);
    in.time = ColumnOf(data, roles[Role::Time]);
    in.currentFactor = ToBaseFactor(roles[Role::Current].unit);
    in.voltageFactor = ToBaseFactor(roles[Role::Voltage].unit);
    in.timeFactor = ToBaseFactor(roles[Role::Time].unit);
    table.source = in.cycle     ? CycleSource::CycleChannel
                   : in.current ? CycleSource::Current
                                : CycleSource::None;
    if (table.source == CycleSource::None || count == 0)
        return table;
    if (in.current) {
        in.threshold = 0.01f * LargestCurrent(data, *roles[Role::Current].channel, in.current);
        in.startingState = FirstState(in.current, count, in.threshold);
    }

    // Each thread scans a run of blocks; with a cancel flag, blocks small enough that a
    // cancel is seen soon. The blocks are joined in record order whatever their number.
    const std::uint32_t threads = std::clamp<std::uint32_t>(options.blocks, 1, count);
    const std::uint64_t pieces =
        options.cancel ? (std::uint64_t(count) + kCancelRecords - 1) / kCancelRecords : 1;
    const auto blockCount = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::max<std::uint64_t>(pieces, threads), count));
    std::vector<CycleBlock> blocks(blockCount);
    const auto bound = [&](std::uint64_t b) {
        return static_cast<std::uint32_t>(std::uint64_t(count) * b / blockCount);
    };
    const auto scan = [&](std::uint32_t t) {
        const auto from = static_cast<std::uint32_t>(std::uint64_t(blockCount) * t / threads);
        const auto to = static_cast<std::uint32_t>(std::uint64_t(blockCount) * (t + 1) / threads);
        for (std::uint32_t b = from; b < to; ++b) {
            if (Cancelled(options))
                return;
            blocks[b] = ScanCycleBlock(in, bound(b), bound(b + 1));
        }
    };
    {
        // Joined on every way out, a throw on either side included; Join rethrows theirs.
        std::deque<HelperThread> helpers;
        for (std::uint32_t t = 1; t < threads; ++t) {
            if (!helpers.emplace_back().Start([&, t] { scan(t); })) {
                helpers.pop_back();
                scan(t); // no thread to spare: done here
            }
        }
        scan(0);
        for (HelperThread& helper : helpers)
            helper.Join();
    }
    if (Cancelled(options))
        return CycleTable{};

    const std::vector<CycleSegment> segments = JoinCycleBlocks(blocks);
    table.cycles.reserve(segments.size());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::uint32_t last = i + 1 < segments.size() ? segments[i + 1].first - 1 : count - 1;
        table.cycles.push_back(Figures(in, segments[i], last, options));
        table.cycles.back().number = static_cast<std::uint32_t>(i + 1);
    }
    return table;
}

} // namespace kurvon
