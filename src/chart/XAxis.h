#pragma once
// The x axis of the chart: where each record of the view window stands, which records share a
// pixel column, which records a column or a band holds, and what the bottom labels read.
// Records stand by their number (the default) or by the value of a chosen x channel.
//
// By record: record first + k at trunc(k * xScale + 60), xScale = (w - 120) / span.
// By channel: the channel's smallest to largest finite value over the window spans the plot,
// xScale = (w - 120) / (xmax - xmin), a record at trunc((x - xmin) * xScale + 60). A flat range
// is widened by 1 on both sides as the value axis widens one (and drawn along the middle where
// even that leaves no finite scale). A record whose x is not finite has no column: the curve
// breaks there. Scales are 32-bit floats used in double precision, as everywhere in the chart.

#include "chart/ChartLayout.h"
#include "chart/ViewState.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kurvon {

// Records first + firstK .. first + lastK, all in column x. A run that starts a stroke is not
// joined to the run before it (a record without a column lies between them).
struct ColumnRun {
    int x = 0;
    std::uint32_t firstK = 0;
    std::uint32_t lastK = 0;
    bool startsStroke = false;
};

// The runs of k = 0 .. span by record number, in order.
std::vector<ColumnRun> ColumnRuns(std::uint32_t span, float xScale);

// Where x values stand across a chart area: the left end, the scale, or every x in the middle
// column where a flat range leaves no finite scale. Shared by the chart and the cycle overlay.
struct XColumns {
    int width = 0;    // of the chart area
    float min = 0.0f; // the left end (widened when flat)
    float scale = 0.0f;
    bool flat = false;

    // The columns spanning finite values minimum <= maximum.
    static XColumns Spanning(float minimum, float maximum, int chartWidth);
    // Columns never decrease as x grows.
    int Of(float x) const {
        if (flat)
            return TruncPosition(kFrameLeft + PlotWidth(width) / 2.0);
        return TruncPosition((static_cast<double>(x) - static_cast<double>(min)) *
                                 static_cast<double>(scale) +
                             kFrameLeft);
    }
    // The x value at column px (not flat).
    double ValueAt(int px) const {
        return static_cast<double>(px - kFrameLeft) / static_cast<double>(scale) +
               static_cast<double>(min);
    }
};

// x taken relative to an origin (the overlay's x within a cycle). Monotone in x, so the extremes
// of a block's x give the extremes of its relative x; a finite x may overflow to an infinite one.
inline float RelativeX(float x, float origin) {
    return static_cast<float>(static_cast<double>(x) - static_cast<double>(origin));
}

class XAxis {
public:
    // The axis of the state's view window in a chart area chartWidth wide. An x channel the
    // data set lacks, or a window outside it, counts as none.
    XAxis(const ViewState& state, int chartWidth);
    // Records first..last (inside the data set) of a usable x channel placed by the given
    // columns, x taken relative to origin when one is given: one cycle of the overlay.
    XAxis(const DataSet& data, int xChannel, std::uint32_t first, std::uint32_t last,
          const XColumns& columns, std::optional<float> origin);

    bool ByRecord() const { return m_x == nullptr; }
    int Channel() const { return m_channel; }
    std::uint32_t First() const { return m_first; }
    std::uint32_t Last() const { return m_last; }
    float Scale() const { return m_scale; }

    // By channel: the x channel's values, their summary (or null), whether records stand by
    // their x relative to Origin(), record r's x (not finite: no column), and the column of a
    // finite x (as X gives it).
    const float* XValues() const { return m_x; }
    const ChannelSummary* XSummary() const { return m_summary; }
    bool Relative() const { return m_relative; }
    float Origin() const { return m_origin; }
    float X(std::uint32_t r) const { return m_relative ? RelativeX(m_x[r], m_origin) : m_x[r]; }
    int ColumnOf(float x) const { return m_columns.Of(x); }

    // Whether record r of the window has a column, and which one.
    bool Placed(std::uint32_t r) const;
    int Column(std::uint32_t r) const;

    // The window's records grouped into runs sharing a column, in record order.
    std::vector<ColumnRun> Runs() const;
    // By channel, whether the runs are so short (an x going back and forth over many columns
    // within few records) that drawing point by point costs less than finding them. Judged
    // on a sample of the window; either way the pixels are the same.
    bool ShortRuns() const;

    // The bottom labels: record numbers, or x values (as the value labels are written) at the
    // places the record labels of the window would stand. None by channel without any finite x.
    std::vector<RecordLabel> Labels() const;

    // The x value at pixel column px (by channel, with a finite x somewhere in the window).
    std::optional<double> ValueAt(int px) const;

    // The record a pointer at column px (inside the frame) points at: by record, the proportional
    // record; by channel, the first record drawn at or right of px (else the window's last).
    std::uint32_t RecordAt(int px) const;

    // The records a drag band between columns a and b selects: by record, the records under its
    // ends; by channel, the first to the last record of the window drawn inside the band.
    // Nothing when no record lies in it.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> Band(int a, int b) const;

private:
    // Whether record r, or all of records a..b (with a summary), have a finite x in column c.
    bool InColumn(std::uint64_t r, int c) const;
    bool BlockInColumn(std::uint64_t a, std::uint64_t b, int c) const;
    // The last record of the run in column c that starts at record r.
    std::uint64_t RunEnd(std::uint64_t r, int c) const;

    int m_width = 0;
    std::uint32_t m_first = 0;
    std::uint32_t m_last = 0;
    float m_scale = 0.0f;
    int m_channel = -1;
    const float* m_x = nullptr;
    const ChannelSummary* m_summary = nullptr;
    XColumns m_columns;
    bool m_relative = false;
    float m_origin = 0.0f;
    float m_mid = 0.0f; // the value shown along a flat range drawn in the middle
    bool m_any = false; // some record has a finite x
};

} // namespace kurvon
