#pragma once
// A sum over a file's bytes at their offsets that comes out the same however the bytes are split
// into reads and threads, so two passes over the same bytes agree and bytes that changed between
// them show. Each 8-byte word is weighted by its odd index; a second sum over the word rotated
// by half keeps a change in the high bytes from cancelling out.

#include <cstddef>
#include <cstdint>

namespace kurvon {

struct ByteSum {
    std::uint64_t plain = 0;
    std::uint64_t rotated = 0;

    // Adds the n bytes at p, read from the file at offset.
    void Add(std::uint64_t offset, const char* p, std::size_t n);

    ByteSum& operator+=(const ByteSum& other) {
        plain += other.plain;
        rotated += other.rotated;
        return *this;
    }
    bool operator==(const ByteSum&) const = default;
};

} // namespace kurvon
