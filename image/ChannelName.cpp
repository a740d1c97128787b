#include "ChannelName.h"

namespace radio {

std::uint8_t NameCharCode(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint8_t>(10 + c - 'A');
    }
    if (c == '-') {
        return 36;
    }
    if (c == '_') {
        return 38;
    }
    return 0xFF;
}

bool IsNameChar(char c) {
    return NameCharCode(c) != 0xFF;
}

std::array<std::uint8_t, kNameBytes> EncodeChannelName(std::string_view text) {
    std::array<std::uint8_t, kNameBytes> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = i < text.size() ? NameCharCode(text[i]) : 0xFF;
    }
    return bytes;
}

std::string DecodeChannelName(const std::uint8_t* bytes) {
    std::string name;
    for (int i = 0; i < kNameBytes; ++i) {
        const std::uint8_t b = bytes[i];
        if (b <= 9) {
            name += static_cast<char>('0' + b);
        } else if (b <= 35) {
            name += static_cast<char>('A' + b - 10);
        } else if (b == 36) {
            name += '-';
        } else if (b == 38) {
            name += '_';
        } else {
            break;
        }
    }
    return name;
}

} // namespace radio
