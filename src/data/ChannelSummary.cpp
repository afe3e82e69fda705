#include "data/ChannelSummary.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kurvon {
namespace {

constexpr std::uint32_t kLeaf = 1u << ChannelSummary::kLeafShift;
constexpr std::uint32_t kFan = 1u << ChannelSummary::kFanShift;

constexpr std::uint32_t kLanes = 8;

// Value j of every kLanes into lane j: the smallest and largest by strict comparisons, and
// whether any value is no finite number. False when one is not.
bool FiniteLanes(const float* v, float (&mn)[kLanes], float (&mx)[kLanes]) {
#if defined(__SSE2__) || defined(_M_X64)
    // minps(x, m) is x < m ? x : m, exactly the scalar rule below.
    __m128 mn0 = _mm_loadu_ps(v), mn1 = _mm_loadu_ps(v + 4);
    __m128 mx0 = mn0, mx1 = mn1;
    const __m128i exponent = _mm_set1_epi32(0x7F800000);
    __m128i nonFinite = _mm_setzero_si128();
    for (std::uint32_t i = 0; i < kLeaf; i += kLanes) {
        const __m128 x0 = _mm_loadu_ps(v + i), x1 = _mm_loadu_ps(v + i + 4);
        mn0 = _mm_min_ps(x0, mn0);
        mn1 = _mm_min_ps(x1, mn1);
        mx0 = _mm_max_ps(x0, mx0);
        mx1 = _mm_max_ps(x1, mx1);
        const __m128i e0 = _mm_and_si128(_mm_castps_si128(x0), exponent);
        const __m128i e1 = _mm_and_si128(_mm_castps_si128(x1), exponent);
        nonFinite = _mm_or_si128(
            nonFinite, _mm_or_si128(_mm_cmpeq_epi32(e0, exponent), _mm_cmpeq_epi32(e1, exponent)));
    }
    _mm_storeu_ps(mn, mn0);
    _mm_storeu_ps(mn + 4, mn1);
    _mm_storeu_ps(mx, mx0);
    _mm_storeu_ps(mx + 4, mx1);
    return _mm_movemask_epi8(nonFinite) == 0;
#else
    std::uint32_t nonFinite = 0;
    for (std::uint32_t j = 0; j < kLanes; ++j)
        mn[j] = mx[j] = v[j];
    for (std::uint32_t i = 0; i < kLeaf; i += kLanes) {
        for (std::uint32_t j = 0; j < kLanes; ++j) {
            const float x = v[i + j];
            mn[j] = x < mn[j] ? x : mn[j];
            mx[j] = x > mx[j] ? x : mx[j];
            std::uint32_t bits;
            std::memcpy(&bits, &x, sizeof bits);
            nonFinite |= (bits & 0x7F800000u) == 0x7F800000u;
        }
    }
    return nonFinite == 0;
#endif
}

// The common case, a whole block of finite values, in lanes; a block holding any non-finite
// value, or the last partial block, is classified value by value.
ValueClasses LeafClasses(const float* v, std::uint32_t n) {
    if (n == kLeaf) {
        float mn[kLanes], mx[kLanes];
        if (FiniteLanes(v, mn, mx)) {
            ValueClasses c{mn[0], mx[0], ValueClasses::kFinite};
            for (std::uint32_t j = 1; j < kLanes; ++j) {
                c.minFinite = std::min(c.minFinite, mn[j]);
                c.maxFinite = std::max(c.maxFinite, mx[j]);
            }
            return c;
        }
    }
    ValueClasses c;
    for (std::uint32_t i = 0; i < n; ++i)
        c.Add(v[i]);
    return c;
}

} // namespace

void ChannelSummary::Build(const float* values, std::uint32_t count) {
    m_levels.clear();
    m_count = count;
    std::size_t blocks = (static_cast<std::size_t>(count) + kLeaf - 1) / kLeaf;
    if (blocks == 0)
        return;
    Level leaf;
    leaf.minFinite.resize(blocks);
    leaf.maxFinite.resize(blocks);
    leaf.flags.resize(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t first = b * kLeaf;
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(kLeaf, count - first));
        const ValueClasses c = LeafClasses(values + first, n);
        leaf.minFinite[b] = c.minFinite;
        leaf.maxFinite[b] = c.maxFinite;
        leaf.flags[b] = c.flags;
    }
    m_levels.push_back(std::move(leaf));
    while (blocks > 1) {
        const Level& below = m_levels.back();
        const std::size_t belowCount = blocks;
        blocks = (blocks + kFan - 1) / kFan;
        Level up;
        up.minFinite.resize(blocks);
        up.maxFinite.resize(blocks);
        up.flags.resize(blocks);
        for (std::size_t b = 0; b < blocks; ++b) {
            ValueClasses c = below.At(b * kFan);
            for (std::size_t i = b * kFan + 1; i < std::min(belowCount, (b + 1) * kFan); ++i)
                c.Merge(below.At(i));
            up.minFinite[b] = c.minFinite;
            up.maxFinite[b] = c.maxFinite;
            up.flags[b] = c.flags;
        }
        m_levels.push_back(std::move(up));
    }
}

void ChannelSummary::Extend(const float* values, std::uint32_t count, std::uint32_t firstChanged) {
    if (m_levels.empty() || firstChanged == 0 || firstChanged > m_count) {
        Build(values, count);
        return;
    }
    m_count = count;
    std::size_t blocks = (static_cast<std::size_t>(count) + kLeaf - 1) / kLeaf;
    std::size_t from = firstChanged / kLeaf;
    m_levels[0].Resize(blocks);
    for (std::size_t b = from; b < blocks; ++b) {
        const std::size_t first = b * kLeaf;
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(kLeaf, count - first));
        m_levels[0].Set(b, LeafClasses(values + first, n));
    }
    std::size_t level = 0;
    while (blocks > 1) {
        const std::size_t belowCount = blocks;
        blocks = (blocks + kFan - 1) / kFan;
        from /= kFan;
        if (level + 1 == m_levels.size())
            m_levels.emplace_back();
        const Level& below = m_levels[level];
        Level& up = m_levels[level + 1];
        up.Resize(blocks);
        for (std::size_t b = from; b < blocks; ++b) {
            ValueClasses c = below.At(b * kFan);
            for (std::size_t i = b * kFan + 1; i < std::min(belowCount, (b + 1) * kFan); ++i)
                c.Merge(below.At(i));
            up.Set(b, c);
        }
        ++level;
    }
    m_levels.resize(level + 1);
}

ValueClasses ChannelSummary::Range(const float* values, std::uint32_t first,
                                   std::uint32_t last) const {
    ValueClasses result;
    std::uint64_t i = first;
    std::uint64_t e = std::uint64_t(last) + 1;
    // Raw values up to the leaf boundaries at both ends.
    while (i < e && (i & (kLeaf - 1)))
        result.Add(values[i++]);
    while (e > i && (e & (kLeaf - 1)))
        result.Add(values[--e]);
    i >>= kLeafShift;
    e >>= kLeafShift;
    for (std::size_t level = 0; level < m_levels.size() && i < e; ++level) {
        const Level& l = m_levels[level];
        if (level + 1 == m_levels.size()) {
            while (i < e)
                result.Merge(l.At(i++));
            break;
        }
        while (i < e && (i & (kFan - 1)))
            result.Merge(l.At(i++));
        while (e > i && (e & (kFan - 1)))
            result.Merge(l.At(--e));
        i >>= kFanShift;
        e >>= kFanShift;
    }
    // Without a summary (never built) the rest is read value by value.
    if (m_levels.empty()) {
        for (std::uint64_t r = i << kLeafShift; r < (e << kLeafShift); ++r)
            result.Add(values[r]);
    }
    return result;
}

std::size_t ChannelSummary::Bytes() const {
    std::size_t bytes = 0;
    for (const Level& l : m_levels)
        bytes += l.minFinite.size() * (2 * sizeof(float) + 1);
    return bytes;
}

} // namespace kurvon
