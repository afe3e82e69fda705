#pragma once
// Readies the columns' storage a block of records ahead of one parsing thread, so that a load
// that does not know its record count writes into reserved columns straight away. Each thread
// has its own; two threads may ready the same block at their meeting point, which is harmless.

#include <cstdint>

namespace kurvon {

class ColumnBlocks {
public:
    // columns: channel count pointers to storage for `capacity` records each; committed: whether
    // that storage is reserved address space that needs committing before it is written.
    ColumnBlocks(float* const* columns, std::uint32_t channels, std::uint64_t capacity,
                 bool committed);

    // Makes record `record` writable; false when it lies past the capacity or the memory for it
    // cannot be had.
    bool Reach(std::uint64_t record) {
        return (record < m_ready && record >= m_readyFrom) || Ready(record);
    }

private:
    bool Ready(std::uint64_t record);

    float* const* m_columns;
    std::uint32_t m_channels;
    std::uint64_t m_capacity;
    bool m_committed;
    std::uint64_t m_blockRecords;
    std::uint64_t m_maxBlockRecords;
    std::uint64_t m_readyFrom = 0; // records [m_readyFrom, m_ready) are writable
    std::uint64_t m_ready = 0;
};

} // namespace kurvon
