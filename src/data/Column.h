#pragma once
// One channel's values, contiguous, in storage that can grow in place: a large column lives in
// reserved address space, so appending records to a followed file never moves or copies the
// values already there. A small column lives on the heap. Past its reservation a column moves
// once into a reservation twice as large (only when the space for growth could not be had).
// Values beyond the size are always zero, so records a short line does not fill read 0.

#include <cstddef>
#include <vector>

namespace kurvon {

// From this size on a column is reserved address space; below it stays on the heap: a
// reservation per small column would waste mappings.
constexpr std::size_t kInPlaceColumnBytes = std::size_t(1) << 20;

class Column {
public:
    Column() = default;
    explicit Column(std::size_t size);
    Column(const std::vector<float>& values); // NOLINT: a vector of values reads as a column
    Column(const Column& other);
    Column(Column&& other) noexcept;
    Column& operator=(const Column& other);
    Column& operator=(Column&& other) noexcept;
    ~Column();

    // Room for `records` values without moving; false when the space cannot be had.
    bool Reserve(std::size_t records);
    // New values are 0; throws std::bad_alloc when the memory cannot be had.
    void Resize(std::size_t size);

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::size_t Capacity() const { return m_capacity; }
    // Its storage is reserved address space, committed as it is used.
    bool Reserved() const { return m_reserved; }
    float* data() { return m_data; }
    const float* data() const { return m_data; }
    float& operator[](std::size_t i) { return m_data[i]; }
    const float& operator[](std::size_t i) const { return m_data[i]; }
    float* begin() { return m_data; }
    float* end() { return m_data + m_size; }
    const float* begin() const { return m_data; }
    const float* end() const { return m_data + m_size; }

private:
    void Free();
    bool Commit(std::size_t size);

    float* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;  // values the storage holds
    std::size_t m_committed = 0; // bytes usable of a reservation
    bool m_reserved = false;     // address space, not heap
};

} // namespace kurvon
