#include "chart/FadeChart.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace kurvon {
namespace {

constexpr int kMarginX = 60;
constexpr int kMarginTop = 24;
constexpr int kMarginBottom = 24;

struct Scale {
    double low = 0;
    double high = 1;
    bool any = false;
};

Scale ScaleOf(const CycleTable& table, double CycleFigures::*figure) {
    Scale s{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const CycleFigures& c : table.cycles) {
        const double v = c.*figure;
        if (std::isfinite(v)) {
            s.low = std::min(s.low, v);
            s.high = std::max(s.high, v);
            s.any = true;
        }
    }
    if (!s.any)
        return {0, 1, false};
    if (s.high - s.low < 1e-12 * std::max(1.0, std::fabs(s.high))) {
        const double pad = std::max(std::fabs(s.high) * 0.05, 1e-6);
        s.low -= pad;
        s.high += pad;
    }
    return s;
}

QString Label(double v) {
    return QString::number(v, 'g', 5);
}

int Clamp(double v) {
    return static_cast<int>(std::clamp(v, -1e6, 1e6));
}

void DrawCurve(RasterSurface& surface, const CycleTable& table, double CycleFigures::*figure,
               const Scale& scale, int left, int right, int top, int bottom, int pen,
               ColorRef color) {
    if (!scale.any)
        return;
    surface.SetPen(pen, color);
    const std::size_t n = table.cycles.size();
    const double xStep = n > 1 ? double(right - left) / double(n - 1) : 0;
    const double yScale = double(bottom - top) / (scale.high - scale.low);
    bool drawing = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = table.cycles[i].*figure;
        if (!std::isfinite(v)) {
            drawing = false;
            continue;
        }
        const int x = n > 1 ? Clamp(left + xStep * double(i)) : (left + right) / 2;
        const int y = Clamp(bottom - (v - scale.low) * yScale);
        if (drawing) {
            surface.LineTo(x, y);
        } else {
            surface.MoveTo(x, y);
            surface.LineTo(x + 1, y); // a lone point still shows
            surface.MoveTo(x, y);
            drawing = true;
        }
    }
}

} // namespace

void DrawFadeChart(RasterSurface& surface, const CycleTable& table, int width, int height) {
    surface.Resize(width, height);
    surface.SetBackgroundColor(0xFFFFFF);
    surface.FillBackground();
    const int left = kMarginX, right = width - kMarginX;
    const int top = kMarginTop, bottom = height - kMarginBottom;
    if (right <= left + 1 || bottom <= top + 1)
        return;
    surface.SetDefaultPen();
    surface.MoveTo(left, top);
    surface.LineTo(right, top);
    surface.LineTo(right, bottom);
    surface.LineTo(left, bottom);
    surface.LineTo(left, top);

    surface.SetTextColor(kFadeCapacityColor);
    surface.TextOut(left, 4, QStringLiteral("放电容量(Ah)"));
    surface.SetTextColor(kFadeEfficiencyColor);
    const QString efficiency = QStringLiteral("库仑效率(%)");
    surface.TextOut(right - 90, 4, efficiency);
    surface.SetTextColor(0x000000);
    if (table.cycles.empty()) {
        surface.TextOut((left + right) / 2 - 20, (top + bottom) / 2 - 6, QStringLiteral("无循环"));
        return;
    }
    const Scale capacity = ScaleOf(table, &CycleFigures::dischargeAh);
    const Scale ce = ScaleOf(table, &CycleFigures::coulombicEfficiencyPct);
    DrawCurve(surface, table, &CycleFigures::coulombicEfficiencyPct, ce, left, right, top, bottom,
              1, kFadeEfficiencyColor);
    DrawCurve(surface, table, &CycleFigures::dischargeAh, capacity, left, right, top, bottom, 2,
              kFadeCapacityColor);

    surface.SetTextColor(kFadeCapacityColor);
    if (capacity.any) {
        surface.TextOut(2, top - 6, Label(capacity.high));
        surface.TextOut(2, bottom - 6, Label(capacity.low));
    }
    surface.SetTextColor(kFadeEfficiencyColor);
    if (ce.any) {
        surface.TextOut(right + 4, top - 6, Label(ce.high));
        surface.TextOut(right + 4, bottom - 6, Label(ce.low));
    }
    surface.SetTextColor(0x000000);
    surface.TextOut(left, bottom + 4, QStringLiteral("1"));
    surface.TextOut((left + right) / 2 - 12, bottom + 4, QStringLiteral("循环"));
    const QString last = QString::number(table.cycles.size());
    surface.TextOut(right - 8 * static_cast<int>(last.size()), bottom + 4, last);
}

QImage FadeChartImage(const CycleTable& table, int width, int height) {
    RasterSurface surface;
    DrawFadeChart(surface, table, width, height);
    return surface.Image();
}

} // namespace kurvon
