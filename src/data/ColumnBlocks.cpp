#include "data/ColumnBlocks.h"

#include "platform/SystemAccess.h"

#include <algorithm>

namespace kurvon {

namespace {

// A block per column is readied at a time; together the blocks past the last record stay
// well inside the memory budget's slack.
constexpr std::uint64_t kAllBlocksBytes = std::uint64_t(32) << 20;
constexpr std::uint64_t kMinBlockBytes = std::uint64_t(64) << 10;
constexpr std::uint64_t kMaxBlockBytes = std::uint64_t(2) << 20; // one huge page

std::uint64_t BlockBytes(std::uint32_t channels) {
    std::uint64_t bytes = kMaxBlockBytes;
    while (bytes > kMinBlockBytes && bytes * std::max(channels, 1u) > kAllBlocksBytes)
        bytes /= 2;
    return bytes;
}

} // namespace

ColumnBlocks::ColumnBlocks(float* const* columns, std::uint32_t channels, std::uint64_t capacity,
                           bool committed)
    : m_columns(columns), m_channels(channels), m_capacity(capacity), m_committed(committed),
      m_blockRecords(kMinBlockBytes / sizeof(float)),
      m_maxBlockRecords(BlockBytes(channels) / sizeof(float)) {}

bool ColumnBlocks::Ready(std::uint64_t record) {
    if (record >= m_capacity)
        return false;
    if (record >= m_readyFrom && record < m_ready)
        return true;
    // Blocks double up to their full size, so that a small file readies little.
    const std::uint64_t begin = record;
    const std::uint64_t end = std::min(begin + m_blockRecords, m_capacity);
    m_blockRecords = std::min(m_blockRecords * 2, m_maxBlockRecords);
    const std::size_t bytes = static_cast<std::size_t>((end - begin) * sizeof(float));
    for (std::uint32_t c = 0; c < m_channels; ++c) {
        float* block = m_columns[c] + begin;
        if (m_committed && !CommitAddressSpace(block, bytes))
            return false;
        PrepareLargeBlock(block, bytes);
    }
    m_readyFrom = begin;
    m_ready = end;
    return true;
}

} // namespace kurvon
