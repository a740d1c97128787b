// UTF-8 well-formedness, for every reader of text from outside: profiles,
// CSV tables, cell texts.
#pragma once

#include <cstddef>
#include <string_view>

namespace radio {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Offset of the first byte that starts no well-formed character, or npos.
std::size_t FirstInvalidUtf8(std::string_view bytes);

} // namespace radio
