#include "data/TabMode.h"

namespace kurvon {

namespace {

std::size_t Count(std::string_view line, FieldMode mode) {
    return CountFields(line.data(), line.data() + line.size(), mode);
}

bool HasEmptyTabField(std::string_view line) {
    bool empty = false;
    ForEachTabField(line.data(), line.data() + line.size(), [&empty](const char* b, const char* e) {
        empty = b == e;
        return !empty;
    });
    return empty;
}

} // namespace

FieldMode ChooseFieldMode(std::string_view namesLine, std::string_view firstDataLine) {
    if (namesLine.find('\t') == std::string_view::npos)
        return FieldMode::Usual;
    if (HasEmptyTabField(namesLine) ||
        Count(namesLine, FieldMode::Tabs) != Count(firstDataLine, FieldMode::Tabs))
        return FieldMode::Usual;
    if (Count(namesLine, FieldMode::Usual) == Count(firstDataLine, FieldMode::Usual))
        return FieldMode::Usual;
    return FieldMode::Tabs;
}

} // namespace kurvon
