#include "controls/ColorEntry.h"

#include <algorithm>

namespace kurvon {

int FindInTable(const ColorTable& table, int index, bool matchColumn, int column) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ColorEntry& e = table[i];
        if (e.index == index && (!matchColumn || e.column == column))
            return static_cast<int>(i);
    }
    return -1;
}

void ShiftForInsertedRow(ColorTable& table, int k) {
    for (ColorEntry& e : table) {
        if (e.index >= k)
            ++e.index;
    }
}

void DropDeletedRow(ColorTable& table, int k) {
    std::erase_if(table, [k](const ColorEntry& e) { return e.index == k; });
    for (ColorEntry& e : table) {
        if (e.index > k)
            --e.index;
    }
}

} // namespace kurvon
