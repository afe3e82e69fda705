#include "analysis/CycleChoice.h"

#include <algorithm>
#include <array>
#include <span>

namespace kurvon {
namespace {

constexpr std::uint32_t kLargest = 1000000000;

constexpr std::array<std::string_view, 5> kSeparators{",", "，", "、", ";", "；"};
constexpr std::array<std::string_view, 4> kDashes{"-", "~", "～", "–"};
constexpr std::array<std::string_view, 3> kSpaces{" ", "\t", "　"};

bool EatAny(std::string_view& s, std::span<const std::string_view> options) {
    for (std::string_view o : options)
        if (s.starts_with(o)) {
            s.remove_prefix(o.size());
            return true;
        }
    return false;
}

void SkipSpaces(std::string_view& s) {
    while (EatAny(s, kSpaces)) {
    }
}

// A word, ASCII letters in any case.
bool EatWord(std::string_view& s, std::string_view word) {
    if (s.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    s.remove_prefix(word.size());
    return true;
}

enum class Number { None, Ok, Zero, TooLarge };

Number EatNumber(std::string_view& s, std::uint32_t& value) {
    std::size_t n = 0;
    std::uint64_t v = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9') {
        v = std::min<std::uint64_t>(v * 10 + static_cast<unsigned>(s[n] - '0'), kLargest + 1ull);
        ++n;
    }
    if (n == 0)
        return Number::None;
    s.remove_prefix(n);
    value = static_cast<std::uint32_t>(v);
    if (v == 0)
        return Number::Zero;
    return v > kLargest ? Number::TooLarge : Number::Ok;
}

std::string_view Trimmed(std::string_view s) {
    SkipSpaces(s);
    while (!s.empty()) {
        bool cut = false;
        for (std::string_view sp : kSpaces)
            if (s.ends_with(sp)) {
                s.remove_suffix(sp.size());
                cut = true;
                break;
            }
        if (!cut)
            break;
    }
    return s;
}

// One item, the text between two separators.
std::variant<CycleItem, CycleChoiceError> ParseItem(std::string_view text) {
    const std::string item(Trimmed(text));
    std::string_view s = item;
    const auto bad = [&](CycleChoiceError::Kind kind) { return CycleChoiceError{kind, item}; };
    if (s.empty())
        return bad(CycleChoiceError::Kind::MissingItem);
    CycleItem out;
    Number n = Number::None;
    if (EatWord(s, "last") || EatWord(s, "最后")) {
        out.kind = CycleItem::Kind::Last;
        n = Number::Ok;
    } else if (EatWord(s, "every") || EatWord(s, "每")) {
        out.kind = CycleItem::Kind::Every;
        SkipSpaces(s);
        n = EatNumber(s, out.a);
        SkipSpaces(s);
        if (!EatWord(s, "th") && !EatWord(s, "st") && !EatWord(s, "nd") && !EatWord(s, "rd"))
            EatWord(s, "个");
    } else {
        n = EatNumber(s, out.a);
        SkipSpaces(s);
        if (n != Number::None && EatAny(s, kDashes)) {
            out.kind = CycleItem::Kind::Range;
            SkipSpaces(s);
            const Number m = EatNumber(s, out.b);
            if (m != Number::Ok && n == Number::Ok)
                n = m;
        }
    }
    SkipSpaces(s);
    if (n == Number::None || !s.empty())
        return bad(CycleChoiceError::Kind::BadItem);
    if (n == Number::Zero)
        return bad(CycleChoiceError::Kind::Zero);
    if (n == Number::TooLarge)
        return bad(CycleChoiceError::Kind::TooLarge);
    if (out.kind == CycleItem::Kind::Range && out.b < out.a)
        return bad(CycleChoiceError::Kind::Backwards);
    return out;
}

} // namespace

std::variant<CycleChoice, CycleChoiceError> ParseCycleChoice(std::string_view text) {
    CycleChoice choice;
    choice.text = std::string(text);
    if (Trimmed(text).empty())
        return CycleChoiceError{CycleChoiceError::Kind::Empty, {}};
    std::string_view rest = text;
    while (true) {
        // The item runs to the next separator.
        std::size_t end = rest.size();
        std::size_t sepSize = 0;
        for (std::string_view sep : kSeparators) {
            const std::size_t at = rest.find(sep);
            if (at < end) {
                end = at;
                sepSize = sep.size();
            }
        }
        auto item = ParseItem(rest.substr(0, end));
        if (auto* error = std::get_if<CycleChoiceError>(&item)) {
            // A trailing separator ("1, 10,") is forgiven.
            if (!(error->kind == CycleChoiceError::Kind::MissingItem && end == rest.size() &&
                  !choice.items.empty()))
                return *error;
        } else {
            choice.items.push_back(std::get<CycleItem>(item));
        }
        if (end == rest.size())
            break;
        rest.remove_prefix(end + sepSize);
    }
    return choice;
}

std::vector<std::uint32_t> ChosenCycles(const CycleChoice& choice, std::uint32_t count) {
    std::vector<std::uint32_t> cycles;
    for (const CycleItem& item : choice.items) {
        switch (item.kind) {
        case CycleItem::Kind::Single:
            if (item.a <= count)
                cycles.push_back(item.a);
            break;
        case CycleItem::Kind::Range:
            for (std::uint64_t c = item.a; c <= std::min(item.b, count); ++c)
                cycles.push_back(static_cast<std::uint32_t>(c));
            break;
        case CycleItem::Kind::Every:
            for (std::uint64_t c = item.a; c <= count; c += item.a)
                cycles.push_back(static_cast<std::uint32_t>(c));
            break;
        case CycleItem::Kind::Last:
            if (count > 0)
                cycles.push_back(count);
            break;
        }
    }
    std::sort(cycles.begin(), cycles.end());
    cycles.erase(std::unique(cycles.begin(), cycles.end()), cycles.end());
    return cycles;
}

std::string CycleChoiceMessage(const CycleChoiceError& e) {
    switch (e.kind) {
    case CycleChoiceError::Kind::Empty:
        return "请输入要叠加的循环，例如 \"1, 10, 100, 每100\"";
    case CycleChoiceError::Kind::MissingItem:
        return "两个逗号之间缺少循环";
    case CycleChoiceError::Kind::BadItem:
        return "无法识别 \"" + e.item +
               "\"：请写循环号 (5)、范围 (1-5)、每隔 (每100) 或 最后，用逗号分开";
    case CycleChoiceError::Kind::Zero:
        return "\"" + e.item + "\"：循环从 1 开始编号";
    case CycleChoiceError::Kind::Backwards:
        return "\"" + e.item + "\"：范围的起点大于终点";
    case CycleChoiceError::Kind::TooLarge:
        return "\"" + e.item + "\"：数字太大";
    }
    return {};
}

std::string CycleChoiceMessageEn(const CycleChoiceError& e) {
    switch (e.kind) {
    case CycleChoiceError::Kind::Empty:
        return "no cycles given (for example \"1,10,100,every 100\")";
    case CycleChoiceError::Kind::MissingItem:
        return "a cycle is missing between two commas";
    case CycleChoiceError::Kind::BadItem:
        return "cannot read \"" + e.item +
               "\": give cycle numbers (5), ranges (1-5), every K or last, separated by commas";
    case CycleChoiceError::Kind::Zero:
        return "\"" + e.item + "\": cycles are numbered from 1";
    case CycleChoiceError::Kind::Backwards:
        return "\"" + e.item + "\": the range ends before it starts";
    case CycleChoiceError::Kind::TooLarge:
        return "\"" + e.item + "\": the number is too large";
    }
    return {};
}

} // namespace kurvon
