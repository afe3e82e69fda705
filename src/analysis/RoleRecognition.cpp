#include "analysis/RoleRecognition.h"

#include <algorithm>
#include <array>

namespace kurvon {
namespace {

// ASCII letters lower-cased, '_' and '-' as spaces, runs of spaces as one, trimmed. Bytes of
// other scripts stay as they are.
std::string Normalised(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c == '_' || c == '-' || c == '\t')
            c = ' ';
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

struct SplitName {
    std::string base;
    std::optional<std::string> unit;
};

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

SplitName Split(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kBrackets{{
        {"(", ")"},
        {"\xEF\xBC\x88", "\xEF\xBC\x89"}, // full-width parentheses
        {"[", "]"},
    }};
    std::string_view trimmed = name;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
        trimmed.remove_suffix(1);
    for (const auto& [open, close] : kBrackets) {
        if (!EndsWith(trimmed, close))
            continue;
        const std::size_t at = trimmed.rfind(open);
        if (at == std::string_view::npos)
            continue;
        const std::size_t inner = at + open.size();
        return {Normalised(trimmed.substr(0, at)),
                Normalised(trimmed.substr(inner, trimmed.size() - close.size() - inner))};
    }
    if (const std::size_t slash = trimmed.rfind('/'); slash != std::string_view::npos)
        return {Normalised(trimmed.substr(0, slash)), Normalised(trimmed.substr(slash + 1))};
    return {Normalised(trimmed), std::nullopt};
}

struct Keywords {
    Role role;
    std::array<std::string_view, 16> words; // normalised; empty entries unused
};

// "test" alone is a time only with a time unit ("Test (Sec)"), see below.
constexpr std::array<Keywords, 4> kKeywords{{
    {Role::Cycle,
     {"cycle", "cyc", "cyc#", "cycle#", "cycle index", "cycle number", "cycle no", "cycle no.",
      "cycle id", "cycles", "循环", "循环号", "循环序号", "循环次数", "循环数"}},
    {Role::Current, {"current", "amps", "amp", "i", "<i>", "电流"}},
    {Role::Voltage, {"voltage", "volts", "volt", "ewe", "<ewe>", "ecell", "u", "电压"}},
    {Role::Time,
     {"time", "test time", "total time", "elapsed time", "时间", "测试时间", "总时间", "test"}},
}};

std::optional<Role> RoleOfBase(std::string_view base) {
    for (const Keywords& k : kKeywords)
        if (std::find(k.words.begin(), k.words.end(), base) != k.words.end() && !base.empty())
            return k.role;
    return std::nullopt;
}

} // namespace

std::optional<Unit> ParseUnit(Role role, std::string_view text) {
    const std::string unit = Normalised(text);
    struct Spelling {
        std::string_view text;
        Unit unit;
    };
    static constexpr std::array<Spelling, 20> kSpellings{{
        {"a", Unit::A},     {"amp", Unit::A},    {"amps", Unit::A},      {"ma", Unit::mA},
        {"v", Unit::V},     {"mv", Unit::mV},    {"s", Unit::s},         {"sec", Unit::s},
        {"secs", Unit::s},  {"second", Unit::s}, {"seconds", Unit::s},   {"秒", Unit::s},
        {"min", Unit::min}, {"mins", Unit::min}, {"minutes", Unit::min}, {"分钟", Unit::min},
        {"h", Unit::h},     {"hr", Unit::h},     {"hours", Unit::h},     {"小时", Unit::h},
    }};
    if (role == Role::Cycle)
        return Unit::None; // whatever it says, cycle numbers are only compared
    for (const Spelling& s : kSpellings)
        if (s.text == unit && UnitFits(role, s.unit))
            return s.unit;
    return std::nullopt;
}

std::optional<RecognisedName> RecogniseName(std::string_view utf8Name) {
    const SplitName split = Split(utf8Name);
    const std::optional<Role> role = RoleOfBase(split.base);
    if (!role)
        return std::nullopt;
    if (!split.unit) {
        if (split.base == "test")
            return std::nullopt;
        return RecognisedName{*role, DefaultUnit(*role)};
    }
    const std::optional<Unit> unit = ParseUnit(*role, *split.unit);
    if (!unit)
        return std::nullopt;
    return RecognisedName{*role, *unit};
}

Unit UnitFromName(Role role, std::string_view utf8Name) {
    const SplitName split = Split(utf8Name);
    if (split.unit)
        if (const std::optional<Unit> unit = ParseUnit(role, *split.unit))
            return *unit;
    return DefaultUnit(role);
}

ChannelRoles RecogniseRoles(const std::vector<std::string>& utf8Names) {
    ChannelRoles roles;
    for (std::size_t c = 0; c < utf8Names.size(); ++c) {
        const std::optional<RecognisedName> found = RecogniseName(utf8Names[c]);
        if (!found || roles[found->role].channel)
            continue;
        roles[found->role].channel = static_cast<std::uint32_t>(c);
        roles[found->role].unit = found->unit;
    }
    return roles;
}

} // namespace kurvon
