#include "Utf8.h"

#include <cstdint>

namespace radio {

std::size_t FirstInvalidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    auto at = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
    while (i < n) {
        const std::uint8_t b = at(i);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        // Bounds of the second byte exclude overlong forms, surrogates and
        // code points beyond U+10FFFF.
        std::uint8_t lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                lo = 0xA0;
            else if (b == 0xED)
                hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;
        } else {
            return i;
        }
        if (n - i < length)
            return i;
        if (at(i + 1) < lo || at(i + 1) > hi)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            if (at(i + k) < 0x80 || at(i + k) > 0xBF)
                return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view bytes) {
    return FirstInvalidUtf8(bytes) == std::string_view::npos;
}

} // namespace radio
