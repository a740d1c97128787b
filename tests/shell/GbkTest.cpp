#include "Gbk.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace radio;

namespace {

struct Sample {
    const char* utf8;
    const char* gbk;
};

constexpr Sample kSamples[] = {
    {"信道信息", "\xD0\xC5\xB5\xC0\xD0\xC5\xCF\xA2"},
    {"无", "\xCE\xDE"},
    {"高", "\xB8\xDF"},
    {"CH 1 信道", "CH 1 \xD0\xC5\xB5\xC0"},
};

TEST(Gbk, RoundTrips) {
    for (const auto& s : kSamples) {
        EXPECT_EQ(Utf8ToGbk(s.utf8), std::string(s.gbk)) << s.utf8;
        EXPECT_EQ(GbkToUtf8(s.gbk), std::string(s.utf8)) << s.utf8;
    }
    EXPECT_EQ(GbkToUtf8(""), std::string());
    EXPECT_EQ(Utf8ToGbk(""), std::string());
}

TEST(Gbk, RefusesWhatItCannotConvert) {
    EXPECT_FALSE(GbkToUtf8("\xD0"));     // lead byte at the end
    EXPECT_FALSE(GbkToUtf8("\x81\x20")); // lead byte before a space
    EXPECT_FALSE(GbkToUtf8("a\xFF"
                           "b"));                // never a GBK byte
    EXPECT_FALSE(Utf8ToGbk("\xCE\xDE"));         // GBK bytes are not UTF-8
    EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80")); // U+1F600 has no GBK form
    // A tag character some converters drop silently: refused, not lost.
    EXPECT_FALSE(Utf8ToGbk("B6\xF3\xA0\x80\xB3"));
}

TEST(Gbk, Utf8Validation) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("abc 信道 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));         // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));     // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE4\xBF"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\xD0\xC5\xB5\xC0")); // GBK "信道"
}

TEST(Gbk, ProfileTextToUtf8) {
    EXPECT_EQ(ProfileTextToUtf8("English"), "English");
    EXPECT_EQ(ProfileTextToUtf8("信道信息"), "信道信息");
    EXPECT_EQ(ProfileTextToUtf8("\xD0\xC5\xB5\xC0\xD0\xC5\xCF\xA2"), "信道信息");
    EXPECT_EQ(ProfileTextToUtf8("\xB8\xDF=\xCE\xDE"), "高=无");
    // Neither encoding: bad bytes become U+FFFD, the rest is kept.
    EXPECT_EQ(ProfileTextToUtf8("\xB8\xDF \xFF \x81"), "高 \xEF\xBF\xBD \xEF\xBF\xBD");
}

#ifdef _WIN32
// The system's code page 936 table, through MultiByteToWideChar and back:
// every two-byte character it decodes comes back as the same two bytes.
TEST(Gbk, WindowsCodePageRoundTripsEveryDoubleByteCharacter) {
    int decoded = 0;
    int broken = 0;
    std::string firstBroken;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::optional<std::string> text = GbkToUtf8(pair);
            if (!text)
                continue;
            ++decoded;
            if (Utf8ToGbk(*text) != pair && broken++ == 0)
                firstBroken = std::to_string(lead) + "," + std::to_string(trail);
        }
    }
    EXPECT_EQ(broken, 0) << "first at lead,trail " << firstBroken;
    EXPECT_GE(decoded, 21886);                    // the characters of GBK
    EXPECT_EQ(GbkToUtf8("\x80"), "\xE2\x82\xAC"); // code page 936's euro sign
    EXPECT_EQ(Utf8ToGbk("\xE2\x82\xAC"), "\x80");
}
#endif

} // namespace
