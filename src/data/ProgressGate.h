#pragma once
// Passes progress positions on to a sink: clamped to 0..100 and only when they change, so the
// sink sees each position once however many lines map to it.

#include "data/ProgressSink.h"

#include <cmath>
#include <cstdint>

namespace kurvon {

class ProgressGate {
public:
    explicit ProgressGate(ProgressSink& sink) : m_sink(sink) {}

    void Send(int position) {
        position = position < 0 ? 0 : (position > 100 ? 100 : position);
        if (position == m_last)
            return;
        m_last = position;
        m_sink.SetPosition(position);
    }

    // Only a position above the last one sent.
    void Rise(int position) {
        if (position > m_last)
            Send(position);
    }

    // A fraction computed in double precision, truncated toward zero; clamped before the
    // truncation so that no value is out of the int range.
    void SendTruncated(double position) {
        if (!(position >= 0.0))
            position = 0.0; // also NaN
        if (position > 100.0)
            position = 100.0;
        Send(static_cast<int>(position));
    }

private:
    ProgressSink& m_sink;
    int m_last = -1;
};

// Positions of the passes for running byte position p of file size s.
inline double CountingPosition(std::uint64_t p, std::uint64_t s) {
    return static_cast<double>(p) / static_cast<double>(s) * 0.15 * 100;
}
inline double ParsingPosition(std::uint64_t p, std::uint64_t s) {
    return static_cast<double>(p) / static_cast<double>(s) * 0.8 * 100 + 15;
}
inline double ExtremesPosition(std::uint32_t c, std::uint32_t count) {
    return static_cast<double>(c) / static_cast<double>(count) * 0.04 * 100 + 95;
}

} // namespace kurvon
