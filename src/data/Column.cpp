#include "data/Column.h"

#include "platform/SystemAccess.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kurvon {

namespace {

// Committed in steps of this, so that a column growing by a record at a time commits rarely.
constexpr std::size_t kCommitStep = std::size_t(1) << 16;

std::size_t RoundUp(std::size_t bytes, std::size_t step) {
    return (bytes + step - 1) / step * step;
}

} // namespace

Column::Column(std::size_t size) {
    Resize(size);
}

Column::Column(const std::vector<float>& values) {
    Resize(values.size());
    if (!values.empty())
        std::memcpy(m_data, values.data(), values.size() * sizeof(float));
}

Column::Column(const Column& other) {
    Resize(other.m_size);
    if (other.m_size)
        std::memcpy(m_data, other.m_data, other.m_size * sizeof(float));
}

Column::Column(Column&& other) noexcept
    : m_data(other.m_data), m_size(other.m_size), m_capacity(other.m_capacity),
      m_committed(other.m_committed), m_reserved(other.m_reserved) {
    other.m_data = nullptr;
    other.m_size = other.m_capacity = other.m_committed = 0;
    other.m_reserved = false;
}

Column& Column::operator=(const Column& other) {
    if (this != &other) {
        Column copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Column& Column::operator=(Column&& other) noexcept {
    if (this != &other) {
        Free();
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_committed, other.m_committed);
        std::swap(m_reserved, other.m_reserved);
    }
    return *this;
}

Column::~Column() {
    Free();
}

void Column::Free() {
    if (m_reserved)
        ReleaseAddressSpace(m_data, m_capacity * sizeof(float));
    else
        delete[] m_data;
    m_data = nullptr;
    m_size = m_capacity = m_committed = 0;
    m_reserved = false;
}

bool Column::Commit(std::size_t size) {
    const std::size_t need = size * sizeof(float);
    if (!m_reserved || need <= m_committed)
        return true;
    const std::size_t want =
        std::min(RoundUp(std::max(need, m_committed * 2), kCommitStep), m_capacity * sizeof(float));
    if (!CommitAddressSpace(reinterpret_cast<char*>(m_data) + m_committed, want - m_committed))
        return false;
    m_committed = want;
    return true;
}

bool Column::Reserve(std::size_t records) {
    if (records <= m_capacity)
        return true;
    if (records > (std::size_t(-1) - kCommitStep) / sizeof(float))
        return false;
    float* data = nullptr;
    std::size_t capacity = records;
    bool reserved = false;
    if (records * sizeof(float) >= kInPlaceColumnBytes) {
        capacity = RoundUp(records * sizeof(float), kCommitStep) / sizeof(float);
        data = static_cast<float*>(ReserveAddressSpace(capacity * sizeof(float)));
        reserved = true;
        if (data && m_size && !CommitAddressSpace(data, m_size * sizeof(float))) {
            ReleaseAddressSpace(data, capacity * sizeof(float));
            data = nullptr;
        }
    } else {
        data = new (std::nothrow) float[capacity]();
    }
    if (!data)
        return false;
    if (m_size)
        std::memcpy(data, m_data, m_size * sizeof(float));
    const std::size_t size = m_size;
    Free();
    m_data = data;
    m_size = size;
    m_capacity = capacity;
    m_reserved = reserved;
    m_committed = reserved ? size * sizeof(float) : 0;
    return true;
}

void Column::Resize(std::size_t size) {
    if (size > m_capacity && !Reserve(std::max(size, m_capacity * 2)) && !Reserve(size))
        throw std::bad_alloc();
    if (!Commit(size))
        throw std::bad_alloc();
    if (size < m_size) // keep what lies beyond the size zero
        std::memset(m_data + size, 0, (m_size - size) * sizeof(float));
    m_size = size;
}

} // namespace kurvon
