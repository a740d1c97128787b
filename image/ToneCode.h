// Tone lists and the two tone codes (ProgramLark's and the Wren family's).
//
// A tone field is two bytes, low byte first; the high byte tells the kind:
// 0x00 or 0xFF no tone, otherwise a CTCSS tone or a DCS code (normal or
// inverted), encoded differently by the two codes.
#pragma once

#include "Texts.h"
#include "Variant.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace radio {

struct ToneBytes {
    std::uint8_t low;
    std::uint8_t high;
};

// The 50 CTCSS tones in units of 0.1 Hz, ascending.
std::span<const int> CtcssTones();
// The DCS codes of a tone code, written as their three octal digits read as
// a decimal number (023 is 23), ascending: 107 for ProgramLark, 105 for the
// Wren family.
std::span<const int> DcsCodes(ToneCodeKind kind);

// The tone list offered by the tone drop-down lists: "None" (or "无"), the
// CTCSS tones, the DCS codes with N, then with I.
std::vector<std::string> BuildToneList(ToneCodeKind kind, Language lang);

ToneBytes EncodeTone(ToneCodeKind kind, std::string_view text);
// For a high byte that is neither 0x00 nor 0xFF; those mean no tone, whose
// text depends on the row and is the caller's.
std::string DecodeTone(ToneCodeKind kind, std::uint8_t low, std::uint8_t high);

inline bool ToneHighMeansNone(std::uint8_t high) {
    return high == 0x00 || high == 0xFF;
}

} // namespace radio
