#pragma once
// Pixel-for-pixel comparisons shared by the drawing tests.

#include "chart/ChartGeometry.h"
#include "chart/CurveDrawing.h"
#include "chart/XAxis.h"
#include "platform/RasterSurface.h"

#include <QImage>
#include <gtest/gtest.h>

namespace kurvon {

// Fails at the first pixel that differs.
inline void ExpectSame(const QImage& a, const QImage& b) {
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; a != b && y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << "at " << x << ", " << y;
}

// Draws channel c over `axis` with `pen` literally on one surface and point by point on the
// other (each keeps what was drawn on it before), then compares them.
inline void ExpectByPointLikeLiteral(RasterSurface& literal, RasterSurface& byPoint,
                                     const DataSet& data, const XAxis& axis, int c, int height,
                                     int pen) {
    CurveSource curve;
    curve.values = data.Channel(c);
    curve.summary = &data.summaries[c];
    curve.axis = &axis;
    curve.mapping = MapChannel(height, data.maxima[c], data.minima[c]);
    literal.SetPen(pen, data.colors[c]);
    byPoint.SetPen(pen, data.colors[c]);
    DrawCurveLiteral(literal, curve);
    DrawCurveByPoint(byPoint, curve);
    ASSERT_NO_FATAL_FAILURE(ExpectSame(literal.View(), byPoint.View()));
}

} // namespace kurvon
