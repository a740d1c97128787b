#include "ToneCode.h"

#include "ScaleDecimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace radio {

namespace {

constexpr std::array<int, 50> kCtcss{670,  693,  719,  744,  770,  797,  825,  854,  885,  915,
                                     948,  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,
                                     1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679,
                                     1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966, 1995,
                                     2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

constexpr std::array<int, 107> kLarkDcs{
    17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,  73,  74,
    114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205,
    212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306,
    311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432,
    445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606,
    612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

// The Wren family's list is the same without 017 and 050.
const std::vector<int>& WrenDcs() {
    static const std::vector<int> codes = [] {
        std::vector<int> v;
        for (int c : kLarkDcs) {
            if (c != 17 && c != 50) {
                v.push_back(c);
            }
        }
        return v;
    }();
    return codes;
}

// The digits of a code read as an octal number: 023 is 19, 411 is 265.
int OctalValue(int code) {
    return (code / 100) * 64 + ((code / 10) % 10) * 8 + code % 10;
}

bool IsLarkCode(int n) {
    return std::binary_search(kLarkDcs.begin(), kLarkDcs.end(), n);
}

int LarkCodeWithOctalValue(int value) {
    for (int c : kLarkDcs) {
        if (OctalValue(c) == value) {
            return c;
        }
    }
    return 0;
}

std::uint8_t Bcd(long long v) {
    return static_cast<std::uint8_t>(((v / 10) << 4) | (v % 10));
}

int Digits(std::uint8_t b) {
    return 10 * (b >> 4) + (b & 0x0F);
}

std::string Tenths(long long v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v) * 0.1,
                                   std::chars_format::fixed, 1);
    return std::string(buf, res.ptr);
}

long long ToneTenths(std::string_view text) {
    const double v = std::trunc(ScaleDecimal(ParseLeadingNumber(text), 10.0));
    if (!std::isfinite(v) || std::fabs(v) > 1e15) {
        return 0;
    }
    return static_cast<long long>(v);
}

std::string DcsText(const char* prefix, int n, char suffix) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%d%c", prefix, n, suffix);
    return buf;
}

} // namespace

std::span<const int> CtcssTones() {
    return kCtcss;
}

std::span<const int> DcsCodes(ToneCodeKind kind) {
    if (kind == ToneCodeKind::Lark) {
        return kLarkDcs;
    }
    return WrenDcs();
}

std::vector<std::string> BuildToneList(ToneCodeKind kind, Language lang) {
    std::vector<std::string> list;
    list.emplace_back(texts::kNone.In(lang));
    for (int t : kCtcss) {
        list.push_back(Tenths(t));
    }
    char buf[16];
    for (char suffix : {'N', 'I'}) {
        for (int c : DcsCodes(kind)) {
            std::snprintf(buf, sizeof buf, "D%03d%c", c, suffix);
            list.emplace_back(buf);
        }
    }
    return list;
}

ToneBytes EncodeTone(ToneCodeKind kind, std::string_view text) {
    if (text.find('D') != std::string_view::npos) {
        const std::string_view rest = text.substr(1);
        const int n = ParseLeadingInt(rest);
        const bool normal = rest.find('N') != std::string_view::npos;
        if (kind == ToneCodeKind::Lark) {
            std::uint8_t high = normal ? 0x28 : 0xA8;
            if (n > 371) {
                high += 1;
            }
            const std::uint8_t low =
                IsLarkCode(n) ? static_cast<std::uint8_t>(OctalValue(n) & 0xFF) : 0;
            return {low, high};
        }
        const std::uint8_t high = static_cast<std::uint8_t>(0x80 + n / 100 + (normal ? 0 : 0x40));
        return {Bcd(n % 100), high};
    }
    const long long v = ToneTenths(text);
    if (v == 0) {
        return {0xFF, 0xFF};
    }
    if (kind == ToneCodeKind::Lark) {
        return {static_cast<std::uint8_t>(v % 256), static_cast<std::uint8_t>(v / 256)};
    }
    return {Bcd(v % 100), Bcd(v / 100)};
}

std::string DecodeTone(ToneCodeKind kind, std::uint8_t low, std::uint8_t high) {
    if (kind == ToneCodeKind::Lark) {
        if (high == 0x28 || high == 0x29 || high == 0xA8 || high == 0xA9) {
            const int c = LarkCodeWithOctalValue((high & 1) * 256 + low);
            char buf[16];
            std::snprintf(buf, sizeof buf, "D%03d%c", c, (high & 0x80) ? 'I' : 'N');
            return buf;
        }
        return Tenths(high * 256 + low);
    }
    if (high >= 0xC0 && high <= 0xFE) {
        return DcsText(high == 0xC0 ? "D0" : "D", (high - 0xC0) * 100 + Digits(low), 'I');
    }
    if (high >= 0x80 && high <= 0xBF) {
        return DcsText(high == 0x80 ? "D0" : "D", (high - 0x80) * 100 + Digits(low), 'N');
    }
    if (high >= 0x01 && high <= 0x7F) {
        return Tenths(Digits(high) * 100 + Digits(low));
    }
    return {};
}

} // namespace radio
