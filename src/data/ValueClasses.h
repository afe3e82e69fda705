#pragma once
// What a stretch of records holds, in the terms the chart needs to bound its pixel rows: the
// smallest and largest finite value, and whether +inf, -inf or NaN occur. Any mapping of values
// to rows that is monotone over the finite values reaches its extreme rows on these.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kurvon {

struct ValueClasses {
    enum : std::uint8_t { kFinite = 1, kPosInf = 2, kNegInf = 4, kNaN = 8 };

    float minFinite = std::numeric_limits<float>::infinity();
    float maxFinite = -std::numeric_limits<float>::infinity();
    std::uint8_t flags = 0;

    void Add(float v) {
        if (std::isfinite(v)) {
            flags |= kFinite;
            minFinite = v < minFinite ? v : minFinite;
            maxFinite = v > maxFinite ? v : maxFinite;
        } else if (std::isnan(v)) {
            flags |= kNaN;
        } else {
            flags |= v > 0 ? kPosInf : kNegInf;
        }
    }
    void Merge(const ValueClasses& o) {
        minFinite = o.minFinite < minFinite ? o.minFinite : minFinite;
        maxFinite = o.maxFinite > maxFinite ? o.maxFinite : maxFinite;
        flags |= o.flags;
    }
};

} // namespace kurvon
