// Channel names (ProgramWrenV3): 8 bytes a row, one character code a byte.
// Codes 0-9 are the digits, 10-35 the letters A-Z, 36 '-', 38 '_'; 0xFF
// marks no character.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace radio {

inline constexpr int kNameBytes = 8;

// The code of a character, or 0xFF for one outside the name alphabet.
std::uint8_t NameCharCode(char c);
bool IsNameChar(char c);

// Character i of the text becomes byte i; missing characters are 0xFF.
std::array<std::uint8_t, kNameBytes> EncodeChannelName(std::string_view text);
// Stops at the first byte that is no character (0xFF, 37, above 38).
std::string DecodeChannelName(const std::uint8_t* bytes);

} // namespace radio
