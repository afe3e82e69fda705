#pragma once
// Channel names keep the file's bytes; for display they are decoded here: valid UTF-8 is taken
// as UTF-8, anything else as GBK (the code page the test rigs write).

#include <QString>

#include <string>
#include <string_view>

namespace kurvon {

bool IsValidUtf8(std::string_view bytes);

QString DecodeText(std::string_view bytes);

// The same text as UTF-8 bytes.
std::string DecodeTextToUtf8(std::string_view bytes);

} // namespace kurvon
