#pragma once
// The element of the channel list's colour tables and the table operations that keep
// entries attached to their rows.

#include "data/DataSet.h"

#include <cstdint>
#include <vector>

namespace kurvon {

struct ColorEntry {
    ColorRef colour = 0;
    std::int32_t index = 0;  // row (row and cell tables) or column (column table)
    std::int32_t column = 0; // column in the cell table; unused elsewhere
};

using ColorTable = std::vector<ColorEntry>;

// Position of the first entry with this index (and, if matchColumn, this column), or -1.
int FindInTable(const ColorTable& table, int index, bool matchColumn, int column);

// A row was inserted at k: entries of row k and after move down one row.
void ShiftForInsertedRow(ColorTable& table, int k);

// Row k was deleted: its entries go, later rows' entries move up one row; order is kept.
void DropDeletedRow(ColorTable& table, int k);

} // namespace kurvon
