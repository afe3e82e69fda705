#include "data/FieldRule.h"

namespace kurvon {

std::size_t CountFields(const char* begin, const char* end, FieldMode mode) {
    std::size_t count = 0;
    ForEachField(mode, begin, end, [&count](const char*, const char*) {
        ++count;
        return true;
    });
    return count;
}

std::vector<std::string> SplitFields(std::string_view line, FieldMode mode) {
    std::vector<std::string> fields;
    ForEachField(mode, line.data(), line.data() + line.size(),
                 [&fields](const char* b, const char* e) {
                     fields.emplace_back(b, e);
                     return true;
                 });
    return fields;
}

} // namespace kurvon
