#pragma once
// The cycles of a data set and their figures.
//
// A cycle is a maximal run of consecutive records with the same value of the cycle channel (NaN
// counting as one value). Without a cycle channel the current decides: a record charges when
// I > t, discharges when I < -t and rests otherwise, with t = 1 % of the largest finite |I|. S is
// the first state of the file that is not a rest; a new cycle starts at every record in state S
// that follows a record in the opposite state since the current cycle began.
//
// The pair of records k, k+1 counts for the cycle of k+1. With dt in hours it adds
// (max(I_k, 0) + max(I_k+1, 0)) / 2 * dt to the charge capacity, the same with -I to the
// discharge capacity, and the same with the power P = V * I to the energies. A pair whose dt is
// not a finite positive number, or whose currents or voltages are not finite, adds nothing and
// is counted as skipped. An empty figure is NaN: a role it needs is missing, a cycle with no
// charging record has no end-of-charge voltage, an efficiency whose denominator is 0, ...

#include "analysis/ChannelRoles.h"
#include "data/DataSet.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace kurvon {

struct CycleFigures {
    std::uint32_t number = 0; // from 1
    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;
    double durationS = 0;
    double chargeAh = 0;
    double dischargeAh = 0;
    double coulombicEfficiencyPct = 0;
    double chargeWh = 0;
    double dischargeWh = 0;
    double energyEfficiencyPct = 0;
    double endOfChargeV = 0;
    double endOfDischargeV = 0;
    double minV = 0;
    double maxV = 0;
    std::uint64_t skippedPairs = 0;
};

enum class CycleSource { CycleChannel, Current, None };

struct CycleOptions {
    // Charge over discharge instead of discharge over charge (cells that start discharged).
    bool inverseEfficiency = false;
    // Record blocks computed side by side (1 or 2 threads in the program; tests use more).
    unsigned blocks = 2;
    // When given, looked at between pieces of kCancelRecords records; once set, the table is
    // left empty and returned as soon as the threads see it.
    const std::atomic<bool>* cancel = nullptr;
};

inline constexpr std::uint32_t kCancelRecords = std::uint32_t(1) << 18;

struct CycleTable {
    CycleSource source = CycleSource::None; // None: neither a cycle nor a current channel
    std::vector<CycleFigures> cycles;
};

CycleTable ComputeCycleTable(const DataSet& data, const ChannelRoles& roles,
                             const CycleOptions& options = {});

} // namespace kurvon
