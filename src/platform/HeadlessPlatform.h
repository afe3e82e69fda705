#pragma once
// The platform for the command-line pictures: offscreen unless the caller chose one. Windows'
// offscreen plugin reads fonts from a folder, not from the system: it is pointed at the system's
// fonts, or every text would draw as boxes.

namespace kurvon {

void ChooseHeadlessPlatform();

} // namespace kurvon
