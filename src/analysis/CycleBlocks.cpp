#include "analysis/CycleBlocks.h"

#include <algorithm>
#include <cmath>

namespace kurvon {
namespace {

// Cycle values compare equal when equal or both NaN (a run of NaN is one cycle).
bool SameCycle(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

int StateOf(float current, float threshold) {
    return current > threshold ? 1 : current < -threshold ? -1 : 0;
}

} // namespace

void CycleSegment::Merge(const CycleSegment& later) {
    chargeAs += later.chargeAs;
    dischargeAs += later.dischargeAs;
    chargeWs += later.chargeWs;
    dischargeWs += later.dischargeWs;
    skipped += later.skipped;
    lastCharging = std::max(lastCharging, later.lastCharging);
    lastDischarging = std::max(lastDischarging, later.lastDischarging);
    minV = std::min(minV, later.minV);
    maxV = std::max(maxV, later.maxV);
}

CycleBlock ScanCycleBlock(const CycleInputs& in, std::uint32_t begin, std::uint32_t end) {
    // Locals and a local segment: stores into the segments cannot alias the inputs, so the loop
    // keeps everything in registers.
    const float* const cycle = in.cycle;
    const float* const current = in.current;
    const float* const voltage = in.voltage;
    const float* const time = in.time;
    const double currentFactor = in.currentFactor;
    const double voltageFactor = in.voltageFactor;
    const double timeFactor = in.timeFactor;
    const float threshold = in.threshold;
    const int startingState = in.startingState;
    const bool integrate = current && time;

    CycleBlock block;
    CycleSegment segment;
    segment.first = begin;
    segment.start = begin == 0 ? CycleSegment::Start::Definite : CycleSegment::Start::Continuation;
    for (std::uint32_t r = begin; r < end; ++r) {
        const int state = current ? StateOf(current[r], threshold) : 0;
        CycleSegment::Start opens = CycleSegment::Start::Continuation;
        if (cycle) {
            if (r > 0 && !SameCycle(cycle[r], cycle[r - 1]))
                opens = CycleSegment::Start::Definite;
        } else if (state != 0 && state == startingState) {
            if (!block.stateKnown)
                opens = CycleSegment::Start::Tentative;
            else if (block.seenOpposite)
                opens = CycleSegment::Start::Definite;
            block.stateKnown = true;
            block.seenOpposite = false;
        } else if (state != 0) {
            block.stateKnown = true;
            block.seenOpposite = true;
        }
        if (opens != CycleSegment::Start::Continuation && r > 0) {
            if (r == begin) {
                segment.start = opens;
            } else {
                block.segments.push_back(segment);
                segment = CycleSegment();
                segment.first = r;
                segment.start = opens;
            }
        }
        if (state > 0)
            segment.lastCharging = r;
        else if (state < 0)
            segment.lastDischarging = r;
        if (voltage && std::isfinite(voltage[r])) {
            segment.minV = std::min(segment.minV, voltage[r]);
            segment.maxV = std::max(segment.maxV, voltage[r]);
        }
        if (!integrate || r == 0)
            continue;
        const double dt = (double(time[r]) - double(time[r - 1])) * timeFactor;
        const double i0 = double(current[r - 1]) * currentFactor;
        const double i1 = double(current[r]) * currentFactor;
        double v0 = 0, v1 = 0;
        if (voltage) {
            v0 = double(voltage[r - 1]) * voltageFactor;
            v1 = double(voltage[r]) * voltageFactor;
        }
        // One test for all five: a NaN or an infinity in any makes the sum NaN or infinite
        // (floats scaled by at most 3600 cannot overflow a double's sum).
        if (!(dt > 0) || !std::isfinite(dt + i0 + i1 + v0 + v1)) {
            ++segment.skipped;
            continue;
        }
        const double half = 0.5 * dt;
        segment.chargeAs += (std::max(i0, 0.0) + std::max(i1, 0.0)) * half;
        segment.dischargeAs += (std::max(-i0, 0.0) + std::max(-i1, 0.0)) * half;
        const double p0 = v0 * i0;
        const double p1 = v1 * i1;
        segment.chargeWs += (std::max(p0, 0.0) + std::max(p1, 0.0)) * half;
        segment.dischargeWs += (std::max(-p0, 0.0) + std::max(-p1, 0.0)) * half;
    }
    block.segments.push_back(segment);
    return block;
}

std::vector<CycleSegment> JoinCycleBlocks(std::vector<CycleBlock>& blocks) {
    std::vector<CycleSegment> cycles;
    bool seenOpposite = false; // since the current cycle began, at the start of each block
    for (CycleBlock& block : blocks) {
        for (CycleSegment& segment : block.segments) {
            const bool opens = cycles.empty() || segment.start == CycleSegment::Start::Definite ||
                               (segment.start == CycleSegment::Start::Tentative && seenOpposite);
            if (opens)
                cycles.push_back(segment);
            else
                cycles.back().Merge(segment);
        }
        if (block.stateKnown)
            seenOpposite = block.seenOpposite;
    }
    return cycles;
}

} // namespace kurvon
