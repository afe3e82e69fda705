#include "chart/ChartPaintCache.h"

#include <cstring>
#include <type_traits>

namespace kurvon {
namespace {

std::uint32_t Bits(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

template <class T> std::uint32_t At(const std::vector<T>& v, std::size_t i) {
    if (i >= v.size())
        return 0xFFFFFFFFu;
    if constexpr (std::is_same_v<T, float>)
        return Bits(v[i]);
    else
        return static_cast<std::uint32_t>(v[i]);
}

} // namespace

ChartPaintCache::Key ChartPaintCache::KeyOf(const ViewState& state, int clientWidth,
                                            int clientHeight, ColorRef background, CurveMode mode) {
    Key key;
    key.clientWidth = clientWidth;
    key.clientHeight = clientHeight;
    key.background = background;
    key.mode = mode;
    key.dataGeneration = state.dataGeneration;
    key.dataLoaded = state.dataLoaded;
    key.recordCount = state.data.recordCount;
    key.firstRecord = state.firstRecord;
    key.lastRecord = state.lastRecord;
    key.xChannel = state.xChannel;
    key.dragInProgress = state.dragInProgress;
    key.dragStartX = state.dragInProgress ? state.dragStartX : 0;
    key.dragEndX = state.dragInProgress ? state.dragEndX : 0;
    const DataSet& data = state.data;
    for (int i = 0; i < state.visible.Size(); ++i) {
        const int channel = state.visible.At(i);
        key.channels.push_back(static_cast<std::uint32_t>(channel));
        const auto c = static_cast<std::size_t>(channel);
        key.channels.push_back(At(data.colors, c));
        key.channels.push_back(At(data.maxima, c));
        key.channels.push_back(At(data.minima, c));
    }
    return key;
}

bool ChartPaintCache::Paint(RasterSurface& surface, const ViewState& state, int clientWidth,
                            int clientHeight, ColorRef background, CurveMode mode) {
    Key key = KeyOf(state, clientWidth, clientHeight, background, mode);
    if (!m_valid || !(key == m_key)) {
        m_valid = false;
        if (!RenderChartBase(m_base, state, clientWidth, clientHeight, background, mode))
            return false;
        m_key = std::move(key);
        m_valid = true;
    }
    surface = m_base;
    DrawCursorLayer(surface, state, clientWidth, clientHeight);
    return true;
}

} // namespace kurvon
