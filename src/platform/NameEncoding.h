#pragma once
// How a file's channel names are encoded, decided once per file from its whole names line:
// UTF-8 when every byte of it forms valid UTF-8, else GBK (code page 936, what the rigs write).
// Deciding name by name would show a short GBK name whose bytes happen to be valid UTF-8 as
// the wrong characters.

#include <string>
#include <string_view>
#include <vector>

namespace kurvon {

enum class TextEncoding { Utf8, Gbk };

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// The names line is the names and the spaces and tabs between them, and ASCII separators never
// join or split a UTF-8 sequence, so the line is valid UTF-8 exactly when every name is.
TextEncoding NamesEncoding(const std::vector<std::string>& names);

} // namespace kurvon
