#pragma once
// Takes the records a look at a followed file found into the data set, on the thread that owns
// it: the columns grow in place, the summaries are extended from the first changed block, the
// extremes go on from where they stood. The result is what a load of the file as it is now
// gives, value for value.

#include "data/DataSet.h"
#include "data/Extremes.h"
#include "data/Growth.h"

#include <string>
#include <vector>

namespace kurvon {

struct GrowingData {
    std::vector<Extremes> settled; // over the final records
    bool provisional = false;      // the last record may still be read again
};

// false: the grown data set would not fit in memory; nothing has changed then. listMin and
// listMax receive each channel's list texts.
bool AppendGrowth(DataSet& data, GrowingData& growing, const Growth& growth,
                  std::vector<std::string>& listMin, std::vector<std::string>& listMax);

} // namespace kurvon
