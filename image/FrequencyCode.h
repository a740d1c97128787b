// Frequencies: integer counts of 10 Hz stored as 8 BCD digits, least
// significant digit pair first; FF FF FF FF means none.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace radio {

using FrequencyBytes = std::array<std::uint8_t, 4>;

// The largest count that fits 8 digits (999.99999 MHz).
inline constexpr std::int64_t kMaxFrequencyCount = 99999999;
// The channel steps a typed frequency must lie on, in counts of 10 Hz: 5 kHz
// and 6.25 kHz (message 61456 names them).
inline constexpr std::array<std::int32_t, 2> kChannelStepCounts{500, 625};
// The smallest count that reads back as present (10 MHz): below it the most
// significant byte is 00, which means no frequency.
inline constexpr std::int64_t kMinPresentFrequencyCount = 1000000;

// A frequency is present when its most significant byte is neither 0x00 nor 0xFF.
bool FrequencyPresent(const std::uint8_t* bytes);

// Decodes the digits without checking them (each byte as high nibble * 10 + low nibble).
std::int64_t DecodeFrequencyCount(const std::uint8_t* bytes);

// "%3.5f" of the frequency in MHz, or "" when none is present.
std::string FrequencyText(const std::uint8_t* bytes);

// The count of 10 Hz that a typed text stands for: atof, then an exact
// decimal scaling by 100000, truncated. Texts that are no number give 0.
std::int64_t FrequencyCountFromText(std::string_view text);

// Text to stored bytes. Zero, a negative count or one of 1000 MHz and above
// (which 8 digits cannot hold) give FF FF FF FF.
FrequencyBytes EncodeFrequencyText(std::string_view text);
FrequencyBytes EncodeFrequencyCount(std::int64_t count);

// "%3.5f" of a count of 10 Hz in MHz.
std::string FormatMHz(std::int64_t count);
std::string FormatMHz(double mhz);

} // namespace radio
