// Conversion between GBK (code page 936) and UTF-8.
//
// Profiles written by Chinese Windows installations hold their texts as GBK
// bytes; profiles written here may hold UTF-8. The profile store keeps bytes
// as they are; these helpers turn them into text for display and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Utf8.h"

namespace radio {

// The UTF-8 form of GBK bytes; nullopt when the bytes are not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// The GBK bytes of UTF-8 text; nullopt when the text is not valid UTF-8 or
// holds a character that GBK cannot represent.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// Text of a profile value for display: the bytes themselves when they are
// valid UTF-8, else their GBK decoding; bytes that are neither become U+FFFD.
std::string ProfileTextToUtf8(std::string_view bytes);

} // namespace radio
