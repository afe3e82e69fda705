// Role recognition on arbitrary channel names (one a line): never a crash, every unit fits its
// role, letter case and trailing spaces change nothing, a name's unit is the one the recogniser
// reports, and the roles of a names line are each role's first recognised channel.

#include "analysis/RoleRecognition.h"

#include "FuzzCheck.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace kurvon;

std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SameRecognition(const std::optional<RecognisedName>& a,
                     const std::optional<RecognisedName>& b) {
    return a.has_value() == b.has_value() && (!a || (a->role == b->role && a->unit == b->unit));
}

void CheckName(const std::string& name) {
    const std::optional<RecognisedName> found = RecogniseName(name);
    if (found) {
        FUZZ_CHECK(UnitFits(found->role, found->unit));
        FUZZ_CHECK((found->unit == Unit::None) == (found->role == Role::Cycle));
        const double factor = ToBaseFactor(found->unit);
        FUZZ_CHECK(std::isfinite(factor) && factor > 0);
    }
    FUZZ_CHECK(SameRecognition(found, RecogniseName(AsciiUpper(name))));
    FUZZ_CHECK(SameRecognition(found, RecogniseName(name + "  ")));
    for (Role role : kAllRoles) {
        const Unit unit = UnitFromName(role, name);
        FUZZ_CHECK(UnitFits(role, unit));
        if (found && found->role == role)
            FUZZ_CHECK(unit == found->unit);
        if (const std::optional<Unit> parsed = ParseUnit(role, name))
            FUZZ_CHECK(UnitFits(role, *parsed));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        names.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string& name : names)
        CheckName(name);

    const ChannelRoles roles = RecogniseRoles(names);
    for (Role role : kAllRoles) {
        const RoleChoice& choice = roles[role];
        // No channel before the chosen one (or none at all) is recognised as this role.
        const std::size_t end = choice.channel ? *choice.channel : names.size();
        FUZZ_CHECK(end <= names.size());
        for (std::size_t c = 0; c < end; ++c) {
            const std::optional<RecognisedName> found = RecogniseName(names[c]);
            FUZZ_CHECK(!found || found->role != role);
        }
        if (choice.channel) {
            const std::optional<RecognisedName> found = RecogniseName(names[*choice.channel]);
            FUZZ_CHECK(found && found->role == role && found->unit == choice.unit);
        }
    }
    return 0;
}
