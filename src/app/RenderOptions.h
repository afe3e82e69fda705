#pragma once
// What the picture commands share: the largest side a picture may have, and --render's options
// (so that another command can say one is misplaced).

#include <string>

namespace kurvon {

// The largest picture side --size accepts.
inline constexpr int kMaxPictureSide = 16384;

// Whether an argument is one of --render's options.
bool IsRenderOption(const std::string& argument);

} // namespace kurvon
