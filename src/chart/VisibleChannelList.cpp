#include "chart/VisibleChannelList.h"

#include <algorithm>

namespace kurvon {

VisibleChannelList::VisibleChannelList(const VisibleChannelList& other) {
    *this = other;
}

VisibleChannelList& VisibleChannelList::operator=(const VisibleChannelList& other) {
    if (this == &other)
        return *this;
    if (!other.m_data) {
        Clear();
        return *this;
    }
    auto copy = std::make_unique<int[]>(other.m_capacity);
    std::copy(other.m_data.get(), other.m_data.get() + other.m_size, copy.get());
    m_data = std::move(copy);
    m_size = other.m_size;
    m_capacity = other.m_capacity;
    return *this;
}

int VisibleChannelList::IndexOf(int channel) const {
    for (int i = 0; i < m_size; ++i) {
        if (m_data[i] == channel)
            return i;
    }
    return -1;
}

void VisibleChannelList::Append(int channel) {
    SetSize(m_size + 1);
    m_data[m_size - 1] = channel;
}

void VisibleChannelList::RemoveAt(int position) {
    if (position < 0 || position >= m_size)
        return;
    std::copy(m_data.get() + position + 1, m_data.get() + m_size, m_data.get() + position);
    --m_size;
}

void VisibleChannelList::SetSize(int n) {
    if (n < 0)
        n = 0;
    if (!m_data) {
        if (n == 0)
            return;
        m_data = std::make_unique<int[]>(n); // zeroed
        m_size = n;
        m_capacity = n;
        return;
    }
    if (n <= m_capacity) {
        if (n > m_size)
            std::fill(m_data.get() + m_size, m_data.get() + n, 0);
        m_size = n;
        return;
    }
    const int step = std::clamp(m_size / 8, 4, 1024);
    const int capacity = std::max(m_capacity + step, n);
    auto grown = std::make_unique<int[]>(capacity); // zeroed, so the new slots are 0
    std::copy(m_data.get(), m_data.get() + m_size, grown.get());
    m_data = std::move(grown);
    m_size = n;
    m_capacity = capacity;
}

void VisibleChannelList::Clear() {
    m_data.reset();
    m_size = 0;
    m_capacity = 0;
}

} // namespace kurvon
