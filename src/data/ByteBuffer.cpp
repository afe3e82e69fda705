#include "data/ByteBuffer.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kurvon {

namespace {
constexpr std::size_t kMapThreshold = std::size_t(1) << 21;
}

void ByteBuffer::Allocate(std::size_t size) {
    Reset();
#if defined(__linux__)
    if (size >= kMapThreshold) {
        void* data =
            ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (data == MAP_FAILED)
            throw std::bad_alloc();
        AdviseHugePages(data, size);
        m_data = static_cast<char*>(data);
        m_size = size;
        m_mapped = true;
        return;
    }
#endif
    m_data = new char[size ? size : 1];
    m_size = size;
}

ByteBuffer::~ByteBuffer() {
    Reset();
}

void ByteBuffer::Reset() {
    if (!m_data)
        return;
#if defined(__linux__)
    if (m_mapped)
        ::munmap(m_data, m_size);
    else
        delete[] m_data;
#else
    delete[] m_data;
#endif
    m_data = nullptr;
    m_size = 0;
    m_mapped = false;
}

void AdviseHugePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (size < kMapThreshold)
        return; // small blocks live in the ordinary heap: leave it alone
    // madvise wants a page-aligned start: round inwards.
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(data) + size;
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

} // namespace kurvon
