#pragma once
// The ticked channels in the order they were ticked: the last entry is the primary channel,
// the one before it the secondary. Growth follows a fixed rule (capacity 1, 5, 9, ... for
// one-by-one appends).

#include <cstdint>
#include <memory>

namespace kurvon {

class VisibleChannelList {
public:
    VisibleChannelList() = default;
    VisibleChannelList(const VisibleChannelList& other);
    VisibleChannelList& operator=(const VisibleChannelList& other);

    int Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    int At(int i) const { return m_data[i]; }
    int IndexOf(int channel) const; // -1 when absent

    void Append(int channel);
    void RemoveAt(int position);
    void SetSize(int n); // the growth rule; new slots are 0
    void Clear();        // frees the storage: size and capacity 0

private:
    std::unique_ptr<int[]> m_data;
    int m_size = 0;
    int m_capacity = 0;
};

} // namespace kurvon
