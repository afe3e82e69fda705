// Channel roles from names as rigs write them, with units; roles that are not there stay empty.
#include "analysis/RoleRecognition.h"
#include "data/Loader.h"
#include "data/TestFiles.h"
#include "platform/TextDecode.h"

#include <filesystem>

namespace kurvon::test {
namespace {

TEST(RoleRecognition, NamesAndUnitsInEnglishAndChinese) {
    const struct {
        const char* name;
        std::optional<Role> role;
        Unit unit;
    } cases[] = {
        {"cycle", Role::Cycle, Unit::None},
        {"Cyc#", Role::Cycle, Unit::None},
        {"Cycle_Index", Role::Cycle, Unit::None},
        {"cycle number", Role::Cycle, Unit::None},
        {"循环", Role::Cycle, Unit::None},
        {"循环号", Role::Cycle, Unit::None},
        {"Current", Role::Current, Unit::A},
        {"AMPS", Role::Current, Unit::A},
        {"I", Role::Current, Unit::A},
        {"<I>/mA", Role::Current, Unit::mA},
        {"电流(A)", Role::Current, Unit::A},
        {"Current(mA)", Role::Current, Unit::mA},
        {"电流（mA）", Role::Current, Unit::mA},
        {"current [A]", Role::Current, Unit::A},
        {"voltage", Role::Voltage, Unit::V},
        {"Volts", Role::Voltage, Unit::V},
        {"Ewe/V", Role::Voltage, Unit::V},
        {"U", Role::Voltage, Unit::V},
        {"电压(mV)", Role::Voltage, Unit::mV},
        {"time", Role::Time, Unit::s},
        {"Test Time", Role::Time, Unit::s},
        {"Test (Sec)", Role::Time, Unit::s},
        {"time/s", Role::Time, Unit::s},
        {"时间(h)", Role::Time, Unit::h},
        {"Time (min)", Role::Time, Unit::min},
        {"时间(s)", Role::Time, Unit::s},
        // Not these roles: other quantities, a unit of another kind, an unknown unit.
        {"Amp-hr", std::nullopt, Unit::None},
        {"Watt-hr", std::nullopt, Unit::None},
        {"Step (Sec)", std::nullopt, Unit::None},
        {"DPt Time", std::nullopt, Unit::None},
        {"容量(Ah)", std::nullopt, Unit::None},
        {"电流(V)", std::nullopt, Unit::None},
        {"Current(uA)", std::nullopt, Unit::None},
        {"Test", std::nullopt, Unit::None},
        {"ACImp/Ohms", std::nullopt, Unit::None},
        {"", std::nullopt, Unit::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<RecognisedName> found = RecogniseName(c.name);
        ASSERT_EQ(found.has_value(), c.role.has_value());
        if (found) {
            EXPECT_EQ(found->role, *c.role);
            EXPECT_EQ(found->unit, c.unit);
        }
    }
    // The first channel of each role counts; a role not found stays empty.
    const ChannelRoles roles = RecogniseRoles({"Volts", "Amp-hr", "I/mA", "Ewe/V", "x"});
    EXPECT_EQ(roles[Role::Voltage].channel, 0u);
    EXPECT_EQ(roles[Role::Current].channel, 2u);
    EXPECT_EQ(roles[Role::Current].unit, Unit::mA);
    EXPECT_FALSE(roles[Role::Cycle].channel || roles[Role::Time].channel);
    EXPECT_EQ(ToBaseFactor(Unit::mA), 1e-3);
    EXPECT_EQ(ToBaseFactor(Unit::min), 60.0);
    EXPECT_EQ(ToBaseFactor(Unit::h), 3600.0);
}

// The example (GBK names) and the real exports (tab-separated, names with spaces).
TEST(RoleRecognition, ExampleAndRealFiles) {
    const struct {
        std::string path;
        ChannelRoles roles;
    } files[] = {
        {KURVON_EXAMPLES_DIR "/example.kvd",
         {{{{std::nullopt, Unit::None}, {2u, Unit::A}, {1u, Unit::V}, {0u, Unit::s}}}}},
        {KURVON_SHARED_DATA_DIR "/xTESLADIAG_000038.kvd",
         {{{{1u, Unit::None}, {7u, Unit::A}, {8u, Unit::V}, {3u, Unit::s}}}}},
        {KURVON_SHARED_DATA_DIR "/PreDiag_000229_truncated.kvd",
         {{{{1u, Unit::None}, {7u, Unit::A}, {8u, Unit::V}, {3u, Unit::s}}}}},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        if (!std::filesystem::exists(f.path))
            continue; // the shared data is not everywhere
        const LoadResult loaded = LoadFile(f.path);
        ASSERT_EQ(loaded.status, LoadStatus::Loaded);
        std::vector<std::string> names;
        for (const std::string& name : loaded.data.names)
            names.push_back(DecodeTextToUtf8(name, loaded.data.nameEncoding));
        EXPECT_TRUE(RecogniseRoles(names) == f.roles);
    }
}

} // namespace
} // namespace kurvon::test
