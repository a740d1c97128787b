#include "FrequencyCode.h"

#include "ScaleDecimal.h"

#include <charconv>
#include <cmath>

namespace radio {

namespace {

std::uint8_t Bcd(std::int64_t twoDigits) {
    return static_cast<std::uint8_t>(((twoDigits / 10) << 4) | (twoDigits % 10));
}

int Digits(std::uint8_t b) {
    return 10 * (b >> 4) + (b & 0x0F);
}

} // namespace

bool FrequencyPresent(const std::uint8_t* bytes) {
    return bytes[3] != 0x00 && bytes[3] != 0xFF;
}

std::int64_t DecodeFrequencyCount(const std::uint8_t* bytes) {
    std::int64_t v = 0;
    for (int k = 3; k >= 0; --k) {
        v = v * 100 + Digits(bytes[k]);
    }
    return v;
}

std::string FormatMHz(double mhz) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, mhz, std::chars_format::fixed, 5);
    return std::string(buf, res.ptr);
}

std::string FormatMHz(std::int64_t count) {
    return FormatMHz(static_cast<double>(count) * 0.00001);
}

std::string FrequencyText(const std::uint8_t* bytes) {
    if (!FrequencyPresent(bytes)) {
        return {};
    }
    return FormatMHz(DecodeFrequencyCount(bytes));
}

std::int64_t FrequencyCountFromText(std::string_view text) {
    const double scaled = std::trunc(ScaleDecimal(ParseLeadingNumber(text), 100000.0));
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e15) {
        return scaled < 0 ? -1 : kMaxFrequencyCount + 1;
    }
    return static_cast<std::int64_t>(scaled);
}

FrequencyBytes EncodeFrequencyCount(std::int64_t v) {
    // Counts that 8 BCD digits cannot hold are stored as no frequency
    // rather than with a digit above 9.
    if (v <= 0 || v > kMaxFrequencyCount) {
        return {0xFF, 0xFF, 0xFF, 0xFF};
    }
    return {Bcd(v % 100), Bcd((v % 10000) / 100), Bcd((v % 1000000) / 10000), Bcd(v / 1000000)};
}

FrequencyBytes EncodeFrequencyText(std::string_view text) {
    return EncodeFrequencyCount(FrequencyCountFromText(text));
}

} // namespace radio
