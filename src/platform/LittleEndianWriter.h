#pragma once
// Appends little-endian integers to a byte vector: the layout of BMP and ICO headers.

#include <cstdint>
#include <vector>

namespace kurvon {

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void U8(std::uint8_t v) { m_out.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Bytes(const std::vector<std::uint8_t>& bytes) {
        m_out.insert(m_out.end(), bytes.begin(), bytes.end());
    }

private:
    std::vector<std::uint8_t>& m_out;
};

} // namespace kurvon
