#include "app/CommandOptions.h"

namespace kurvon {

bool ParseChannels(std::string_view text, std::vector<int>& channels) {
    while (true) {
        const std::size_t comma = text.find(',');
        int channel = 0;
        if (!ParseNumber(text.substr(0, comma), channel) || channel < 0)
            return false;
        channels.push_back(channel);
        if (comma == std::string_view::npos)
            return true;
        text.remove_prefix(comma + 1);
    }
}

} // namespace kurvon
