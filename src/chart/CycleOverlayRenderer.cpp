#include "chart/CycleOverlayRenderer.h"

#include "chart/ChartFrame.h"
#include "chart/ChartGeometry.h"
#include "chart/CurveDrawing.h"
#include "chart/CycleOverlay.h"
#include "chart/CycleOverlayCurves.h"
#include "chart/DrawableState.h"
#include "data/TwoThreads.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace kurvon {
namespace {

constexpr int kLegendWidth = 130;
constexpr int kLegendLine = 16;
// Overlays of at least this many records are drawn on two threads.
constexpr std::uint64_t kSplitRecords = 1u << 16;

// Every chosen cycle's curves, later cycles over earlier ones. Each cycle is the x axis of its
// own records: where its records share columns in runs the curves are drawn by column, else
// literally (one cycle rarely crosses its own pixels, so the point walk gains nothing there).
// Every curve of a cycle has the cycle's colour, so the everyday drawing takes the cycles
// latest first, each into a mask painted only where no later cycle has painted: each pixel is
// written once. The literal mode draws straight onto the surface, in order (the reference).
void DrawOverlayCurves(RasterSurface& s, const ViewState& state, const ChartArea& a,
                       const std::vector<int>& channels, const std::vector<OverlayCycle>& cycles,
                       const OverlayAxis& axis, CurveMode mode) {
    const DataSet& data = state.data;
    const int primary = channels.back();
    const auto cycleAxis = [&](const OverlayCycle& c) {
        return XAxis(data, state.xChannel, c.first, c.last, axis.Columns(),
                     axis.Relative() ? std::optional(c.origin) : std::nullopt);
    };
    const auto curveOf = [&](int channel, const XAxis& cycleX) {
        CurveSource curve;
        curve.values = data.Channel(static_cast<std::uint32_t>(channel));
        const auto c = static_cast<std::size_t>(channel);
        if (c < data.summaries.size() && data.summaries[c].Covers(data.recordCount))
            curve.summary = &data.summaries[c];
        curve.axis = &cycleX;
        curve.mapping = DisplayMapping(data, channel, a, primary);
        return curve;
    };
    const auto penOf = [&](std::size_t i) {
        return channels[i] == primary && i + 1 == channels.size() ? 3 : 1;
    };
    // Split by records: the later cycles paint the surface, the earlier ones (on a second
    // thread) collect their pixels, painted afterwards where the later ones left room.
    std::uint64_t records = 0;
    for (const OverlayCycle& c : cycles)
        records += c.last - c.first + 1;
    std::size_t split = cycles.size();
    for (std::uint64_t later = 0; split > 1 && 2 * later < records; --split)
        later += cycles[split - 1].last - cycles[split - 1].first + 1;
    const bool twoThreads = records >= kSplitRecords && split > 0 && split < cycles.size();
    // The cycles have one shape: a middle one tells how to draw them all.
    const bool byColumn = !cycleAxis(cycles[cycles.size() / 2]).ShortRuns();
    // Short segments cost more in a mask than on the surface: without runs or a second thread
    // to repay it, the overlay is drawn in order, as the reference is.
    if (mode == CurveMode::Literal || (!byColumn && !twoThreads)) {
        for (const OverlayCycle& cycle : cycles) {
            const XAxis cycleX = cycleAxis(cycle);
            for (std::size_t i = 0; i < channels.size(); ++i) {
                s.SetPen(penOf(i), cycle.color);
                const CurveSource curve = curveOf(channels[i], cycleX);
                DrawCycleCurve(s, axis, cycle, curve.values, curve.mapping);
            }
        }
        return;
    }
    struct Fresh {
        std::size_t word;
        std::uint64_t bits;
        ColorRef color;
    };
    // Cycles [from, to) latest first into their masks, each one's new pixels painted on the
    // surface, or collected when `collected` is given.
    const auto drawInto = [&](std::size_t from, std::size_t to, CoverageMask& taken,
                              std::vector<Fresh>* collected) {
        CoverageMask mask(s.Width(), s.Height());
        mask.HideUnder(&taken);
        for (std::size_t k = to; k-- > from;) {
            const OverlayCycle& cycle = cycles[k];
            const XAxis cycleX = cycleAxis(cycle);
            if (byColumn) {
                const std::vector<ColumnRun> runs = cycleX.Runs();
                for (std::size_t i = 0; i < channels.size(); ++i) {
                    mask.SetPenWidth(penOf(i));
                    DrawCurveByColumn(mask, curveOf(channels[i], cycleX), runs);
                }
            } else {
                std::vector<CycleCurve> curves;
                for (std::size_t i = 0; i < channels.size(); ++i) {
                    const CurveSource curve = curveOf(channels[i], cycleX);
                    curves.push_back({curve.values, curve.summary, curve.mapping, penOf(i)});
                }
                DrawCycleCurves(mask, axis, cycle, curves);
            }
            if (!collected)
                mask.PaintUntaken(s, cycle.color, taken);
            else
                mask.Take(taken, [&](std::size_t word, std::uint64_t bits) {
                    collected->push_back({word, bits, cycle.color});
                });
        }
    };
    CoverageMask taken(s.Width(), s.Height());
    if (!twoThreads) {
        drawInto(0, cycles.size(), taken, nullptr);
        return;
    }
    std::vector<Fresh> earlier;
    CoverageMask takenEarlier(s.Width(), s.Height());
    RunOnTwoThreads(2, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t part = a; part < b; ++part) {
            if (part == 0)
                drawInto(split, cycles.size(), taken, nullptr);
            else
                drawInto(0, split, takenEarlier, &earlier);
        }
    });
    for (const Fresh& f : earlier)
        if (const std::uint64_t bits = f.bits & ~taken.Word(f.word))
            taken.PaintWord(s, f.word, bits, f.color);
}

void DrawLegend(RasterSurface& s, const std::vector<OverlayCycle>& cycles) {
    const LegendBox box = OverlayLegendBox(cycles.size());
    s.FillRect(box.left, box.top, box.right, box.bottom, 0xFFFFFF);
    const auto line = [&](int i, const OverlayCycle& c, const QString& prefix) {
        s.SetTextColor(c.color);
        s.TextOut(box.left + 4, box.top + 2 + i * kLegendLine,
                  prefix + QStringLiteral("循环 %1").arg(c.number));
    };
    line(0, cycles.front(), QString());
    if (cycles.size() >= 2)
        line(1, cycles.back(), QStringLiteral("… "));
    if (cycles.size() >= 3) {
        s.SetTextColor(kChartBlack);
        s.TextOut(box.left + 4, box.top + 2 + 2 * kLegendLine,
                  QStringLiteral("共 %1 个循环").arg(cycles.size()));
    }
    s.SetTextColor(kChartBlack);
}

void DrawOverlay(RasterSurface& s, const ViewState& state, const ChartArea& a,
                 const std::vector<int>& channels, const std::vector<OverlayCycle>& cycles,
                 CurveMode mode) {
    const DataSet& data = state.data;
    const OverlayAxis axis(data, state.xChannel, cycles, state.overlay.relative, a.width);
    if (axis.Any())
        DrawOverlayCurves(s, state, a, channels, cycles, axis, mode);
    s.SetDefaultPen();
    DrawValueAxes(s, data, a, channels);
    DrawBottomLabels(s, a, axis.Labels());
}

std::uint32_t Bits(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

} // namespace

LegendBox OverlayLegendBox(std::size_t cycleCount) {
    const int lines = static_cast<int>(std::min<std::size_t>(cycleCount, 3));
    return {kFrameLeft + 4, kFrameTop + 4, kFrameLeft + 4 + kLegendWidth,
            kFrameTop + 4 + lines * kLegendLine + 4};
}

bool RenderOverlayBase(RasterSurface& surface, const ViewState& state, int clientWidth,
                       int clientHeight, ColorRef background, CurveMode mode) {
    const ChartArea area = ChartAreaOfClient(clientWidth, clientHeight);
    if (!area.Drawable())
        return false;
    BeginChartSurface(surface, area, background);
    const std::vector<int> channels = UsableVisibleChannels(state);
    const std::vector<OverlayCycle> cycles = OverlayCycles(state);
    if (channels.empty() || cycles.empty())
        return true;
    DrawOverlay(surface, state, area, channels, cycles, mode);
    RedrawFrameEdges(surface, state.data, area, channels);
    DrawLegend(surface, cycles);
    return true;
}

void DrawOverlayCursorLayer(RasterSurface& s, const ViewState& state, int clientWidth,
                            int clientHeight, const OverlayAxis* given) {
    const ChartArea a = ChartAreaOfClient(clientWidth, clientHeight);
    const std::vector<int> channels = UsableVisibleChannels(state);
    const bool inside = a.InsideFrame(state.cursorX, state.cursorY);
    const int cx = state.cursorX;
    const int cy = state.cursorY;
    if (inside && channels.empty()) {
        s.SetTextColor(kChartBlack);
        s.TextOut(cx + 4, cy - 18, QStringLiteral("NULL"));
    } else if (inside) {
        const DataSet& data = state.data;
        DrawValueReadouts(s, data, a, channels, cx, cy);
        std::optional<OverlayAxis> made;
        if (!given)
            made.emplace(data, state.xChannel, OverlayCycles(state), state.overlay.relative,
                         a.width);
        if (const std::optional<double> x = (given ? *given : *made).ValueAt(cx)) {
            s.SetTextColor(kChartBlack);
            s.TextOut(cx + 4, cy + 2, ReadoutText(*x, data, state.xChannel));
        }
        s.SetTextColor(kChartBlack);
        RedrawFrameEdges(s, data, a, channels);
    }
    DrawCrosshair(s, a, cx, cy);
}

OverlayPaintCache::Key OverlayPaintCache::KeyOf(const ViewState& state, int clientWidth,
                                                int clientHeight, ColorRef background,
                                                CurveMode mode) {
    Key key;
    key.mode = mode;
    key.clientWidth = clientWidth;
    key.clientHeight = clientHeight;
    key.background = background;
    key.dataGeneration = state.dataGeneration;
    key.recordCount = state.data.recordCount;
    key.xChannel = state.xChannel;
    key.relative = state.overlay.relative;
    const DataSet& data = state.data;
    for (int channel : UsableVisibleChannels(state)) {
        const auto c = static_cast<std::size_t>(channel);
        key.channels.insert(key.channels.end(),
                            {static_cast<std::uint32_t>(channel), data.colors[c],
                             Bits(data.maxima[c]), Bits(data.minima[c])});
    }
    for (const OverlayCycle& c : OverlayCycles(state))
        key.cycles.insert(key.cycles.end(), {c.number, c.first, c.last, c.color, Bits(c.origin)});
    return key;
}

bool OverlayPaintCache::Paint(RasterSurface& surface, const ViewState& state, int clientWidth,
                              int clientHeight, ColorRef background, CurveMode mode) {
    Key key = KeyOf(state, clientWidth, clientHeight, background, mode);
    if (!m_valid || !(key == m_key)) {
        m_valid = false;
        if (!RenderOverlayBase(m_base, state, clientWidth, clientHeight, background, mode))
            return false;
        m_axis.emplace(state.data, state.xChannel, OverlayCycles(state), state.overlay.relative,
                       ChartAreaOfClient(clientWidth, clientHeight).width);
        m_key = std::move(key);
        m_valid = true;
    }
    surface = m_base;
    DrawOverlayCursorLayer(surface, state, clientWidth, clientHeight, &*m_axis);
    return true;
}

} // namespace kurvon
