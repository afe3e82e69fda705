#include "data/ByteSum.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kurvon {

namespace {

// Bytes in a word stand where a plain load puts them, so a word read whole and the same word
// put together from pieces of two reads add up alike.
unsigned ByteShift(std::uint64_t offset) {
    const unsigned lane = static_cast<unsigned>(offset % 8);
    return 8 * (std::endian::native == std::endian::little ? lane : 7 - lane);
}

void AddWord(ByteSum& sum, std::uint64_t index, std::uint64_t word) {
    const std::uint64_t weight = 2 * index + 1;
    sum.plain += word * weight;
    sum.rotated += std::rotl(word, 32) * weight;
}

} // namespace

void ByteSum::Add(std::uint64_t offset, const char* p, std::size_t n) {
    // The partial word at the start, the whole words, then the partial word at the end.
    while (n != 0 && offset % 8 != 0) {
        AddWord(*this, offset / 8,
                std::uint64_t(static_cast<unsigned char>(*p)) << ByteShift(offset));
        ++p, ++offset, --n;
    }
    // The whole words without a multiplication each: over words a .. a+m-1, the sum of
    // x(i) * (2i + 1) is S * (2a + 2m + 1) - 2T, where S sums the words and T the running sums.
    const std::uint64_t first = offset / 8;
    const std::uint64_t words = n / 8;
    // In four lanes of every fourth word first: word 4k + l adds
    // (K - k) times to its lane's running sums but 4 (K - k) - l times to the whole's.
    constexpr std::uint64_t kLanes = 4;
    const std::uint64_t rounds = words / kLanes;
    std::uint64_t laneSum[kLanes] = {}, laneRuns[kLanes] = {};
    std::uint64_t laneSumRotated[kLanes] = {}, laneRunsRotated[kLanes] = {};
#if defined(__SSE2__) || defined(_M_X64)
    // Two lanes a register; swapping the 32-bit halves of a word is its rotation by half.
    __m128i sum01 = _mm_setzero_si128(), sum23 = sum01, runs01 = sum01, runs23 = sum01;
    __m128i rot01 = sum01, rot23 = sum01, rotRuns01 = sum01, rotRuns23 = sum01;
    for (std::uint64_t k = 0; k < rounds; ++k, p += 8 * kLanes) {
        const __m128i w01 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i w23 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        sum01 = _mm_add_epi64(sum01, w01);
        sum23 = _mm_add_epi64(sum23, w23);
        runs01 = _mm_add_epi64(runs01, sum01);
        runs23 = _mm_add_epi64(runs23, sum23);
        rot01 = _mm_add_epi64(rot01, _mm_shuffle_epi32(w01, _MM_SHUFFLE(2, 3, 0, 1)));
        rot23 = _mm_add_epi64(rot23, _mm_shuffle_epi32(w23, _MM_SHUFFLE(2, 3, 0, 1)));
        rotRuns01 = _mm_add_epi64(rotRuns01, rot01);
        rotRuns23 = _mm_add_epi64(rotRuns23, rot23);
    }
    const auto store = [](std::uint64_t* to, __m128i low, __m128i high) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2), high);
    };
    store(laneSum, sum01, sum23);
    store(laneRuns, runs01, runs23);
    store(laneSumRotated, rot01, rot23);
    store(laneRunsRotated, rotRuns01, rotRuns23);
#else
    for (std::uint64_t k = 0; k < rounds; ++k, p += 8 * kLanes) {
        for (std::uint64_t l = 0; l < kLanes; ++l) {
            std::uint64_t word;
            std::memcpy(&word, p + 8 * l, 8);
            laneSum[l] += word;
            laneRuns[l] += laneSum[l];
            laneSumRotated[l] += std::rotl(word, 32);
            laneRunsRotated[l] += laneSumRotated[l];
        }
    }
#endif
    std::uint64_t sum = 0, runs = 0, sumRotated = 0, runsRotated = 0;
    for (std::uint64_t l = 0; l < kLanes; ++l) {
        sum += laneSum[l];
        runs += kLanes * laneRuns[l] - l * laneSum[l];
        sumRotated += laneSumRotated[l];
        runsRotated += kLanes * laneRunsRotated[l] - l * laneSumRotated[l];
    }
    for (std::uint64_t i = rounds * kLanes; i < words; ++i, p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        sum += word;
        runs += sum;
        sumRotated += std::rotl(word, 32);
        runsRotated += sumRotated;
    }
    const std::uint64_t factor = 2 * first + 2 * words + 1;
    plain += sum * factor - 2 * runs;
    rotated += sumRotated * factor - 2 * runsRotated;
    offset += 8 * words;
    n -= static_cast<std::size_t>(8 * words);
    for (; n != 0; ++p, ++offset, --n)
        AddWord(*this, offset / 8,
                std::uint64_t(static_cast<unsigned char>(*p)) << ByteShift(offset));
}

} // namespace kurvon
