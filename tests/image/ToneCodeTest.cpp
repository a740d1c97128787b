#include "ToneCode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace radio {
namespace {

constexpr ToneCodeKind kLark = ToneCodeKind::Lark;
constexpr ToneCodeKind kWren = ToneCodeKind::Wren;

struct ToneExample {
    ToneCodeKind kind;
    const char* text;
    std::uint8_t low;
    std::uint8_t high;
};

void PrintTo(const ToneExample& e, std::ostream* os) {
    *os << (e.kind == kLark ? "Lark " : "Wren ") << e.text;
}

class ToneWorkedExample : public ::testing::TestWithParam<ToneExample> {};

TEST_P(ToneWorkedExample, EncodesAndDecodes) {
    const ToneExample& e = GetParam();
    const ToneBytes b = EncodeTone(e.kind, e.text);
    EXPECT_EQ(b.low, e.low);
    EXPECT_EQ(b.high, e.high);
    EXPECT_EQ(DecodeTone(e.kind, e.low, e.high), e.text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ToneWorkedExample,
    ::testing::Values(
        ToneExample{kLark, "D023N", 0x13, 0x28}, ToneExample{kLark, "D371I", 0xF9, 0xA8},
        ToneExample{kLark, "D411N", 0x09, 0x29}, ToneExample{kLark, "D754I", 0xEC, 0xA9},
        ToneExample{kLark, "D017N", 0x0F, 0x28}, ToneExample{kLark, "67.0", 0x9E, 0x02},
        ToneExample{kLark, "254.1", 0xED, 0x09}, ToneExample{kLark, "100.0", 0xE8, 0x03},
        ToneExample{kLark, "62.5", 0x71, 0x02}, ToneExample{kWren, "D023N", 0x23, 0x80},
        ToneExample{kWren, "D023I", 0x23, 0xC0}, ToneExample{kWren, "D074N", 0x74, 0x80},
        ToneExample{kWren, "D114N", 0x14, 0x81}, ToneExample{kWren, "D754I", 0x54, 0xC7},
        ToneExample{kWren, "D371I", 0x71, 0xC3}, ToneExample{kWren, "D411N", 0x11, 0x84},
        ToneExample{kWren, "67.0", 0x70, 0x06}, ToneExample{kWren, "254.1", 0x41, 0x25},
        ToneExample{kWren, "100.0", 0x00, 0x10}, ToneExample{kWren, "62.5", 0x25, 0x06},
        // The Wren code takes any code, listed or not.
        ToneExample{kWren, "D017N", 0x17, 0x80}, ToneExample{kWren, "D999N", 0x99, 0x89}));

TEST(ToneCode, NoToneTextsEncodeToFF) {
    for (ToneCodeKind kind : {kLark, kWren}) {
        for (const char* text : {"None", "无", "", "abc", "0", "0.0"}) {
            const ToneBytes b = EncodeTone(kind, text);
            EXPECT_EQ(b.low, 0xFF) << text;
            EXPECT_EQ(b.high, 0xFF) << text;
        }
    }
}

TEST(ToneCode, LarkUnlistedCodeBecomesCodeZero) {
    ToneBytes b = EncodeTone(kLark, "D999N");
    EXPECT_EQ(b.low, 0x00);
    EXPECT_EQ(b.high, 0x29); // above 371: bit 8 set
    EXPECT_EQ(DecodeTone(kLark, b.low, b.high), "D000N");
    b = EncodeTone(kLark, "D999I");
    EXPECT_EQ(b.low, 0x00);
    EXPECT_EQ(b.high, 0xA9);
    EXPECT_EQ(DecodeTone(kLark, b.low, b.high), "D000I");
    // A DCS field whose value is no listed code also reads as code zero.
    EXPECT_EQ(DecodeTone(kLark, 0xFF, 0x28), "D000N");
    EXPECT_EQ(DecodeTone(kLark, 0x00, 0xA8), "D000I");
}

TEST(ToneCode, LarkCodeWithoutSuffixCountsAsInverted) {
    const ToneBytes b = EncodeTone(kLark, "D023");
    EXPECT_EQ(b.low, 0x13);
    EXPECT_EQ(b.high, 0xA8);
    EXPECT_EQ(DecodeTone(kLark, b.low, b.high), "D023I");
}

TEST(ToneCode, OtherHighBytesAreCtcss) {
    EXPECT_EQ(DecodeTone(kLark, 0x00, 0x01), "25.6");
    EXPECT_EQ(DecodeTone(kLark, 0x00, 0x30), "1228.8");
    EXPECT_EQ(DecodeTone(kWren, 0x00, 0x01), "10.0");
}

TEST(ToneLists, SizesAndLandmarks) {
    const std::vector<std::string> lark = BuildToneList(kLark, Language::English);
    ASSERT_EQ(lark.size(), 265u);
    EXPECT_EQ(lark[0], "None");
    EXPECT_EQ(lark[1], "67.0");
    EXPECT_EQ(lark[13], "100.0");
    EXPECT_EQ(lark[50], "254.1");
    EXPECT_EQ(lark[51], "D017N");
    EXPECT_EQ(lark[157], "D754N");
    EXPECT_EQ(lark[158], "D017I");
    EXPECT_EQ(lark[264], "D754I");

    const std::vector<std::string> wren = BuildToneList(kWren, Language::English);
    ASSERT_EQ(wren.size(), 261u);
    EXPECT_EQ(wren[51], "D023N");
    EXPECT_EQ(wren[155], "D754N");
    EXPECT_EQ(wren[156], "D023I");
    EXPECT_EQ(wren[260], "D754I");

    for (ToneCodeKind kind : {kLark, kWren}) {
        const std::vector<std::string> en = BuildToneList(kind, Language::English);
        std::vector<std::string> zh = BuildToneList(kind, Language::Chinese);
        EXPECT_EQ(zh[0], "无");
        zh[0] = "None";
        EXPECT_EQ(zh, en);
    }
}

TEST(ToneLists, CodeSets) {
    ASSERT_EQ(CtcssTones().size(), 50u);
    EXPECT_EQ(CtcssTones().front(), 670);
    EXPECT_EQ(CtcssTones()[12], 1000);
    EXPECT_EQ(CtcssTones().back(), 2541);
    EXPECT_TRUE(std::is_sorted(CtcssTones().begin(), CtcssTones().end()));

    const auto lark = DcsCodes(kLark);
    const auto wren = DcsCodes(kWren);
    ASSERT_EQ(lark.size(), 107u);
    ASSERT_EQ(wren.size(), 105u);
    auto has = [](std::span<const int> codes, int code) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    for (int code : {17, 50, 645, 23, 754}) {
        EXPECT_TRUE(has(lark, code)) << code;
    }
    EXPECT_FALSE(has(wren, 17));
    EXPECT_FALSE(has(wren, 50));
    EXPECT_TRUE(has(wren, 645));
    // The Wren list is the Lark list without 017 and 050.
    std::vector<int> expected;
    for (int code : lark) {
        if (code != 17 && code != 50) {
            expected.push_back(code);
        }
    }
    EXPECT_EQ(std::vector<int>(wren.begin(), wren.end()), expected);
}

class ToneListRoundTrip : public ::testing::TestWithParam<ToneCodeKind> {};

TEST_P(ToneListRoundTrip, EveryTextComesBackWithItsOwnCode) {
    const ToneCodeKind kind = GetParam();
    const std::vector<std::string> list = BuildToneList(kind, Language::English);
    for (std::size_t i = 1; i < list.size(); ++i) {
        const ToneBytes b = EncodeTone(kind, list[i]);
        ASSERT_FALSE(ToneHighMeansNone(b.high)) << list[i];
        EXPECT_EQ(DecodeTone(kind, b.low, b.high), list[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(BothCodes, ToneListRoundTrip, ::testing::Values(kLark, kWren),
                         [](const auto& info) {
                             return std::string(info.param == kLark ? "Lark" : "Wren");
                         });

TEST(ToneLists, EveryLarkDcsCodeIsItsOctalValue) {
    for (int code : DcsCodes(kLark)) {
        const int octal = (code / 100) * 64 + (code / 10 % 10) * 8 + code % 10;
        char text[8];
        std::snprintf(text, sizeof text, "D%03dN", code);
        const ToneBytes b = EncodeTone(kLark, text);
        EXPECT_EQ(b.low, octal & 0xFF) << text;
        EXPECT_EQ(b.high, 0x28 + (octal >> 8)) << text;
    }
}

} // namespace
} // namespace radio
