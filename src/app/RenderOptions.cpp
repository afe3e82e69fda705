#include "app/RenderOptions.h"

namespace kurvon {

bool IsRenderOption(const std::string& argument) {
    return argument == "--size" || argument == "--channels" || argument == "--window" ||
           argument == "--cursor" || argument == "--drag" || argument == "--seed" ||
           argument == "--x" || argument == "--literal" || argument == "--overlay" ||
           argument == "--overlay-relative";
}

} // namespace kurvon
