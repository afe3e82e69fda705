// The cycle table: figures known in closed form, the detection rules on awkward files, the same
// result however the records are split into blocks, and the real exports.
#include "analysis/CycleTable.h"
#include "analysis/CycleCsv.h"
#include "analysis/RoleRecognition.h"
#include "data/TestFiles.h"
#include "platform/TextDecode.h"

#include <cmath>
#include <filesystem>

namespace kurvon::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Channels 0 current (A), 1 voltage (3.7 V), 2 time (1 s a record), 3 cycle when given.
DataSet MakeData(const Floats& current, const Floats& cycle = {}) {
    DataSet data;
    data.recordCount = static_cast<std::uint32_t>(current.size());
    data.columns = {current, Floats(current.size(), 3.7f), Floats(current.size())};
    for (std::size_t r = 0; r < current.size(); ++r)
        data.columns[2][r] = static_cast<float>(r);
    if (!cycle.empty())
        data.columns.push_back(cycle);
    data.channelCount = static_cast<std::uint32_t>(data.columns.size());
    return data;
}

ChannelRoles Roles(bool withCycle) {
    ChannelRoles roles;
    roles[Role::Current] = {0u, Unit::A};
    roles[Role::Voltage] = {1u, Unit::V};
    roles[Role::Time] = {2u, Unit::s};
    if (withCycle)
        roles[Role::Cycle] = {3u, Unit::None};
    return roles;
}

std::vector<std::uint32_t> Firsts(const CycleTable& table) {
    std::vector<std::uint32_t> firsts;
    for (const CycleFigures& c : table.cycles)
        firsts.push_back(c.firstRecord);
    return firsts;
}

// NaN equals NaN; otherwise equal to a few parts in 10^12 (blocks sum in another order).
void ExpectNear(double a, double b, const char* what) {
    if (std::isnan(a) || std::isnan(b)) {
        EXPECT_TRUE(std::isnan(a) && std::isnan(b)) << what << ": " << a << " vs " << b;
        return;
    }
    EXPECT_NEAR(a, b, 1e-12 * std::max(1.0, std::fabs(b))) << what;
}

void ExpectSameTable(const CycleTable& a, const CycleTable& b) {
    ASSERT_EQ(Firsts(a), Firsts(b));
    for (std::size_t i = 0; i < a.cycles.size(); ++i) {
        const CycleFigures &x = a.cycles[i], &y = b.cycles[i];
        EXPECT_EQ(x.lastRecord, y.lastRecord);
        EXPECT_EQ(x.skippedPairs, y.skippedPairs);
        ExpectNear(x.chargeAh, y.chargeAh, "charge");
        ExpectNear(x.dischargeWh, y.dischargeWh, "discharge energy");
        ExpectNear(x.endOfChargeV, y.endOfChargeV, "end of charge");
        ExpectNear(x.minV, y.minV, "min V");
    }
}

CycleTable Compute(const DataSet& data, const ChannelRoles& roles, unsigned blocks = 1,
                   bool inverse = false) {
    CycleOptions options;
    options.blocks = blocks;
    options.inverseEfficiency = inverse;
    return ComputeCycleTable(data, roles, options);
}

// Cycles of rest 3, charge 10 + c records at 2000 mA, rest 3, discharge 8 + 2c at -1500 mA,
// rest 3; time in minutes (0.5 a record), voltage in mV rising by 1 a record. Each run of
// constant current lies between rests of its own cycle, so its capacity is n * I * dt and its
// energy I * dt * (sum of V over the run) = I * dt * n * (V first + V last) / 2.
TEST(CycleTable, ClosedFormCapacitiesAndEnergiesPerCycle) {
    constexpr int kCycles = 6;
    constexpr double kHours = 0.5 / 60;
    std::string text = "closed form\r\nTime/min\tCurrent(mA)\t电压(mV)\tCycle\r\n";
    struct Expected {
        int first, lastCharge, lastDischarge, last;
        double chargeAh, dischargeAh, chargeWh, dischargeWh;
    };
    std::vector<Expected> expected;
    int record = 0;
    const auto add = [&](int count, int milliamps, int cycle) {
        for (int k = 0; k < count; ++k, ++record)
            text += std::to_string(record * 0.5) + "\t" + std::to_string(milliamps) + "\t" +
                    std::to_string(3000 + record) + "\t" + std::to_string(cycle) + "\r\n";
    };
    for (int c = 0; c < kCycles; ++c) {
        if (c == 0)
            add(3, 0, 1); // rests before the first charge belong to cycle 1
        Expected e{};
        e.first = record;
        const int n1 = 10 + c, n3 = 8 + 2 * c;
        e.chargeWh = 2.0 * kHours * n1 * (3.0 + (record + record + n1 - 1) / 2000.0);
        add(n1, 2000, c + 1);
        e.lastCharge = record - 1;
        add(3, 0, c + 1);
        e.dischargeWh = 1.5 * kHours * n3 * (3.0 + (record + record + n3 - 1) / 2000.0);
        add(n3, -1500, c + 1);
        e.lastDischarge = record - 1;
        add(3, 0, c + 1);
        e.last = record - 1;
        e.chargeAh = n1 * 2.0 * kHours;
        e.dischargeAh = n3 * 1.5 * kHours;
        expected.push_back(e);
    }
    expected[0].first = 0;
    TempDir dir;
    const LoadResult loaded = LoadFile(dir.Write("closed.kvd", text));
    ASSERT_EQ(loaded.status, LoadStatus::Loaded);
    ChannelRoles roles = RecogniseRoles(loaded.data.names);
    ASSERT_EQ(roles[Role::Time].unit, Unit::min);
    ASSERT_EQ(roles[Role::Current].unit, Unit::mA);
    ASSERT_EQ(roles[Role::Voltage].unit, Unit::mV);
    ASSERT_EQ(roles[Role::Cycle].channel, 3u);

    const CycleTable byChannel = Compute(loaded.data, roles);
    EXPECT_EQ(byChannel.source, CycleSource::CycleChannel);
    ASSERT_EQ(byChannel.cycles.size(), std::size_t(kCycles));
    for (int c = 0; c < kCycles; ++c) {
        SCOPED_TRACE(c);
        const CycleFigures& f = byChannel.cycles[c];
        const Expected& e = expected[c];
        EXPECT_EQ(f.number, std::uint32_t(c + 1));
        EXPECT_EQ(f.firstRecord, std::uint32_t(e.first));
        EXPECT_EQ(f.lastRecord, std::uint32_t(e.last));
        EXPECT_DOUBLE_EQ(f.durationS, (e.last - e.first) * 30.0);
        EXPECT_NEAR(f.chargeAh, e.chargeAh, 1e-12);
        EXPECT_NEAR(f.dischargeAh, e.dischargeAh, 1e-12);
        EXPECT_NEAR(f.chargeWh, e.chargeWh, 1e-9);
        EXPECT_NEAR(f.dischargeWh, e.dischargeWh, 1e-9);
        EXPECT_NEAR(f.coulombicEfficiencyPct, 100 * e.dischargeAh / e.chargeAh, 1e-9);
        EXPECT_NEAR(f.energyEfficiencyPct, 100 * e.dischargeWh / e.chargeWh, 1e-9);
        EXPECT_NEAR(f.endOfChargeV, 3.0 + e.lastCharge / 1000.0, 1e-6);
        EXPECT_NEAR(f.endOfDischargeV, 3.0 + e.lastDischarge / 1000.0, 1e-6);
        EXPECT_NEAR(f.minV, 3.0 + e.first / 1000.0, 1e-6);
        EXPECT_NEAR(f.maxV, 3.0 + e.last / 1000.0, 1e-6);
        EXPECT_EQ(f.skippedPairs, 0u);
    }
    // The current finds the same cycles, in any number of blocks.
    roles[Role::Cycle] = {};
    for (unsigned blocks : {1u, 2u, 5u, 64u}) {
        const CycleTable byCurrent = Compute(loaded.data, roles, blocks);
        EXPECT_EQ(byCurrent.source, CycleSource::Current);
        ExpectSameTable(byCurrent, byChannel);
    }
    // The inverse efficiency, and the CSV text of a row.
    const CycleTable inverse = Compute(loaded.data, roles, 2, true);
    EXPECT_NEAR(inverse.cycles[0].coulombicEfficiencyPct, 100 * 2.0 * 10 / (1.5 * 8), 1e-9);
    const std::string csv = CycleCsvText(byChannel);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), CycleCsvHeader());
    EXPECT_NE(csv.find("\r\n2,27,53,780,0.18333334,0.125,68.181816,"), std::string::npos) << csv;
}

TEST(CycleTable, DetectionOnAwkwardFiles) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        Floats current;
        Floats cycle; // empty: found from the current
        std::vector<std::uint32_t> firsts;
    } cases[] = {
        {"starts with discharge", {0, -1, -1, 0, 1, 1, 0, -1, 1, -1}, {}, {0, 7, 9}},
        {"long rests", {0, 0, 0, 1, 1, 0, 0, 0, 0, -1, -1, 0, 0, 0, 0, 1, 0, 0}, {}, {0, 15}},
        {"no discharge at all", {1, 1, 0, 1, 1, 0}, {}, {0}},
        {"never leaves rest", {0, 0, 0}, {}, {0}},
        {"alternating records", {1, -1, 1, -1, 1}, {}, {0, 2, 4}},
        {"below 1 % is rest", {0.005f, 1, -1, 0.009f, -0.009f, 1}, {}, {0, 5}},
        {"NaN in the current", {1, nan, -1, nan, 1, 1}, {}, {0, 4}},
        {"one record per cycle", {1, 1, 1, 1}, {1, 2, 3, 4}, {0, 1, 2, 3}},
        {"gaps, decreasing, NaN",
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {1, 1, 3, 3, 3, 2, 2, 7, nan, nan, 7},
         {0, 2, 5, 7, 8, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DataSet data = MakeData(c.current, c.cycle);
        const CycleTable one = Compute(data, Roles(!c.cycle.empty()));
        EXPECT_EQ(Firsts(one), c.firsts);
        EXPECT_EQ(one.cycles.back().lastRecord, data.recordCount - 1);
        for (unsigned blocks = 2; blocks <= data.recordCount + 1; ++blocks)
            ExpectSameTable(Compute(data, Roles(!c.cycle.empty()), blocks), one);
    }

    // One record a cycle: the pair before it is its own (1 A for 1 s); the first has none.
    const CycleTable single = Compute(MakeData({1, 1, 1, 1}, {1, 2, 3, 4}), Roles(true));
    EXPECT_EQ(single.cycles[0].chargeAh, 0);
    EXPECT_EQ(single.cycles[0].durationS, 0);
    EXPECT_DOUBLE_EQ(single.cycles[1].chargeAh, 1.0 / 3600);
    EXPECT_DOUBLE_EQ(single.cycles[1].endOfChargeV, 3.7f);
    EXPECT_TRUE(std::isnan(single.cycles[1].endOfDischargeV));
    // Pairs touching a NaN current add nothing and are counted, the crossing pair in cycle 2.
    const CycleTable withNaN = Compute(MakeData({1, nan, -1, nan, 1, 1}), Roles(false));
    EXPECT_EQ(withNaN.cycles[0].skippedPairs, 3u);
    EXPECT_EQ(withNaN.cycles[1].skippedPairs, 1u);
    EXPECT_DOUBLE_EQ(withNaN.cycles[1].chargeAh, 1.0 / 3600);
    // Efficiencies are empty where the denominator is 0, either way round.
    const DataSet charging = MakeData({1, 1, 0, 1, 1, 0});
    EXPECT_EQ(Compute(charging, Roles(false)).cycles[0].coulombicEfficiencyPct, 0);
    EXPECT_TRUE(std::isnan(Compute(charging, Roles(false), 1, true).cycles[0].energyEfficiencyPct));
    EXPECT_TRUE(
        std::isnan(Compute(MakeData({0, 0}), Roles(false)).cycles[0].coulombicEfficiencyPct));
}

// A cancellable table is scanned in small pieces: the same table until the flag is set, an
// empty one after.
TEST(CycleTable, CancellableInPiecesLikeWhole) {
    Floats current(std::size_t(kCancelRecords) * 5 / 2 + 17);
    for (std::size_t r = 0; r < current.size(); ++r)
        current[r] = (r / 331) % 3 == 0 ? 0.0f : (r / 331) % 3 == 1 ? 1.0f : -1.0f;
    const DataSet data = MakeData(current);
    const CycleTable whole = Compute(data, Roles(false), 2);
    ASSERT_GT(whole.cycles.size(), 600u);
    std::atomic<bool> cancel{false};
    CycleOptions options;
    options.cancel = &cancel;
    for (unsigned threads : {1u, 2u, 3u}) {
        options.blocks = threads;
        ExpectSameTable(ComputeCycleTable(data, Roles(false), options), whole);
    }
    cancel = true;
    EXPECT_TRUE(ComputeCycleTable(data, Roles(false), options).cycles.empty());
}

TEST(CycleTable, MissingRolesLeaveTheirFiguresEmpty) {
    const DataSet data = MakeData({1, 1, -1, -1, 1});
    ChannelRoles roles = Roles(false);
    roles[Role::Voltage] = {};
    const CycleTable noVoltage = Compute(data, roles);
    ASSERT_EQ(Firsts(noVoltage), (std::vector<std::uint32_t>{0, 4}));
    EXPECT_DOUBLE_EQ(noVoltage.cycles[0].dischargeAh, 1.5 / 3600);
    EXPECT_TRUE(std::isnan(noVoltage.cycles[0].dischargeWh) &&
                std::isnan(noVoltage.cycles[0].minV));
    roles[Role::Time] = {};
    const CycleTable noTime = Compute(data, roles);
    EXPECT_TRUE(std::isnan(noTime.cycles[0].chargeAh) && std::isnan(noTime.cycles[0].durationS));
    EXPECT_EQ(CycleCsvText(noTime).substr(CycleCsvHeader().size()),
              "\r\n1,0,3,,,,,,,,,,,,0\r\n2,4,4,,,,,,,,,,,,0\r\n");
    roles[Role::Current] = {};
    EXPECT_EQ(Compute(data, roles).source, CycleSource::None);
    EXPECT_TRUE(Compute(data, roles).cycles.empty());
    roles[Role::Current] = {7u, Unit::A}; // beyond the channels: as if missing
    EXPECT_EQ(Compute(data, roles).source, CycleSource::None);
}

// The real exports: cycles by Cyc#; sound figures, the same in one block as in two.
TEST(CycleTable, RealFiles) {
    for (const char* name : {"xTESLADIAG_000038.kvd", "PreDiag_000229_truncated.kvd"}) {
        const std::string path = std::string(KURVON_SHARED_DATA_DIR "/") + name;
        SCOPED_TRACE(path);
        if (!std::filesystem::exists(path))
            continue;
        const LoadResult loaded = LoadFile(path);
        ASSERT_EQ(loaded.status, LoadStatus::Loaded);
        std::vector<std::string> names;
        for (const std::string& n : loaded.data.names)
            names.push_back(DecodeTextToUtf8(n, loaded.data.nameEncoding));
        const ChannelRoles roles = RecogniseRoles(names);
        const CycleTable table = Compute(loaded.data, roles, 2);
        EXPECT_EQ(table.source, CycleSource::CycleChannel);
        ASSERT_GE(table.cycles.size(), 2u);
        ExpectSameTable(Compute(loaded.data, roles, 1), table);
        const float* cyc = loaded.data.Channel(1);
        for (const CycleFigures& c : table.cycles) {
            EXPECT_TRUE(c.firstRecord == 0 || cyc[c.firstRecord] != cyc[c.firstRecord - 1]);
            EXPECT_GE(c.chargeAh, 0);
            EXPECT_GE(c.dischargeAh, 0);
            EXPECT_GE(c.durationS, 0);
            EXPECT_LE(c.minV, c.maxV);
            if (!std::isnan(c.endOfChargeV)) {
                EXPECT_TRUE(c.minV <= c.endOfChargeV && c.endOfChargeV <= c.maxV);
            }
            EXPECT_EQ(std::isnan(c.coulombicEfficiencyPct), c.chargeAh == 0);
        }
    }
}

} // namespace
} // namespace kurvon::test
