#pragma once
// One pass over a block of records for the cycle table: where cycles start and what each pair
// of records adds. Blocks are computed side by side and joined in record order; a block cannot
// tell whether its first record in the starting state opens a cycle (that depends on the
// records before it), so it marks that start as tentative and the join decides.

#include <cstdint>
#include <limits>
#include <vector>

namespace kurvon {

// The columns in use (null when the role is missing), factors into A, V and seconds.
struct CycleInputs {
    const float* cycle = nullptr;
    const float* current = nullptr;
    const float* voltage = nullptr;
    const float* time = nullptr;
    double currentFactor = 1;
    double voltageFactor = 1;
    double timeFactor = 1;
    float threshold = 0;   // t in the file's unit of current
    int startingState = 0; // S: +1 charge, -1 discharge, 0 the file never leaves rest
};

struct CycleSegment {
    enum class Start { Continuation, Definite, Tentative };
    Start start = Start::Definite;
    std::uint32_t first = 0;
    double chargeAs = 0; // ampere-seconds and watt-seconds
    double dischargeAs = 0;
    double chargeWs = 0;
    double dischargeWs = 0;
    std::uint64_t skipped = 0;
    std::int64_t lastCharging = -1; // record, -1 for none
    std::int64_t lastDischarging = -1;
    float minV = std::numeric_limits<float>::infinity(); // finite values in the file's unit
    float maxV = -std::numeric_limits<float>::infinity();

    void Merge(const CycleSegment& later);
};

struct CycleBlock {
    std::vector<CycleSegment> segments; // the first starts at the block's first record
    bool stateKnown = false;            // whether the block saw S or its opposite
    bool seenOpposite = false;          // at the block's end, when stateKnown
};

// Records [begin, end) of the inputs.
CycleBlock ScanCycleBlock(const CycleInputs& in, std::uint32_t begin, std::uint32_t end);

// The blocks in record order joined into one segment per cycle.
std::vector<CycleSegment> JoinCycleBlocks(std::vector<CycleBlock>& blocks);

} // namespace kurvon
