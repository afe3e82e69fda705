#include "data/DataSet.h"

#include <algorithm>

namespace kurvon {

void BuildSummaries(DataSet& data) {
    data.summaries.resize(data.columns.size());
    for (std::size_t c = 0; c < data.columns.size(); ++c)
        data.summaries[c].Build(data.columns[c].data(),
                                static_cast<std::uint32_t>(std::min<std::size_t>(
                                    data.columns[c].size(), data.recordCount)));
}

} // namespace kurvon
