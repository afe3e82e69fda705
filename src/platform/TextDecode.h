#pragma once
// Channel names keep the file's bytes; for display they are decoded here, in the encoding
// decided for the whole file (NameEncoding.h).

#include "platform/NameEncoding.h"

#include <QString>

#include <string>
#include <string_view>

namespace kurvon {

QString DecodeText(std::string_view bytes, TextEncoding encoding);

// The same text as UTF-8 bytes.
std::string DecodeTextToUtf8(std::string_view bytes, TextEncoding encoding);

} // namespace kurvon
