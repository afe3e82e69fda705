#pragma once
// Conversions between the data set's 0x00BBGGRR colours and Qt colours.

#include "data/DataSet.h"

#include <QColor>

namespace kurvon {

inline QColor ToQColor(ColorRef c) {
    return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                  static_cast<int>(BlueOf(c)));
}

// Alpha is dropped: a ColorRef has none.
inline ColorRef ToColorRef(const QColor& c) {
    const QColor rgb = c.toRgb();
    return MakeColorRef(static_cast<unsigned>(rgb.red()), static_cast<unsigned>(rgb.green()),
                        static_cast<unsigned>(rgb.blue()));
}

} // namespace kurvon
