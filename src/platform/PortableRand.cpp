#include "platform/PortableRand.h"

namespace kurvon {

int PortableRand::Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFF);
}

} // namespace kurvon
