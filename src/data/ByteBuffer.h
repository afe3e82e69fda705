#pragma once
// One large block of uninitialised bytes for a whole file. Where the platform allows, it is
// taken straight from the system and backed by huge pages, which saves most of the page faults
// of filling a gigabyte.

#include <cstddef>

namespace kurvon {

class ByteBuffer {
public:
    ByteBuffer() = default;
    ~ByteBuffer();
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    // Replaces the block with a new one of size bytes; throws std::bad_alloc.
    void Allocate(std::size_t size);
    char* Data() const { return m_data; }
    void Reset();

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
};

// Asks for huge pages under an existing block (a hint; ignored where unsupported).
void AdviseHugePages(void* data, std::size_t size);

} // namespace kurvon
