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

} // namespace kurvon
