#include "ScaleDecimal.h"
#include "FrequencyCode.h"
#include "ToneCode.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace radio {
namespace {

std::int64_t Truncated(double x, double factor) {
    return static_cast<std::int64_t>(std::trunc(ScaleDecimal(x, factor)));
}

TEST(ScaleDecimal, FrequencyJustBelowItsDecimalValueStillScalesExactly) {
    // The plain binary product falls short; make sure the case is real.
    ASSERT_EQ(static_cast<std::int64_t>(145.0125 * 100000.0), 14501249);
    EXPECT_EQ(Truncated(145.0125, 100000.0), 14501250);
    EXPECT_EQ(Truncated(136.0125, 100000.0), 13601250);
    EXPECT_EQ(Truncated(162.5125, 100000.0), 16251250);
    EXPECT_EQ(Truncated(145.00625, 100000.0), 14500625);
}

TEST(ScaleDecimal, ExtraDecimalsAreCutNotRounded) {
    EXPECT_EQ(Truncated(146.525009, 100000.0), 14652500);
    EXPECT_EQ(Truncated(146.525999, 100000.0), 14652599);
    // Thirteen significant digits survive the 15-digit reading untouched.
    EXPECT_EQ(Truncated(145.0124999999, 100000.0), 14501249);
}

TEST(ScaleDecimal, OperandIsReadWithFifteenSignificantDigits) {
    // 0.1 + 0.2 is 0.30000000000000004 as a double, 0.3 in 15 digits.
    EXPECT_EQ(ScaleDecimal(0.1 + 0.2, 10.0), 3.0);
    // 2.55 - 0.45 is 2.0999999999999996; its binary product truncates to 20.
    ASSERT_EQ(static_cast<int>((2.55 - 0.45) * 10.0), 20);
    EXPECT_EQ(Truncated(2.55 - 0.45, 10.0), 21);
}

TEST(ScaleDecimal, LookBackFactorTwenty) {
    // Look-back times are stored as (time - 0.45) * 20.
    ASSERT_EQ(static_cast<int>((0.50 - 0.45) * 20.0), 0);
    EXPECT_EQ(Truncated(0.50 - 0.45, 20.0), 1);
    EXPECT_EQ(Truncated(0.60 - 0.45, 20.0), 3);
    EXPECT_EQ(Truncated(2.05 - 0.45, 20.0), 32);
    EXPECT_EQ(Truncated(0.55, 20.0), 11);
    EXPECT_EQ(Truncated(5.0, 20.0), 100);
}

TEST(ScaleDecimal, EveryCtcssToneScalesToItsTenthsOfHertz) {
    for (int tenths : CtcssTones()) {
        const std::string text = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        EXPECT_EQ(Truncated(ParseLeadingNumber(text), 10.0), tenths) << text;
    }
    EXPECT_EQ(Truncated(62.5, 10.0), 625);
}

TEST(ScaleDecimal, NegativeValuesTruncateTowardZero) {
    EXPECT_EQ(Truncated(-145.0125, 100000.0), -14501250);
    EXPECT_EQ(Truncated(-0.000019, 100000.0), -1);
    EXPECT_EQ(Truncated(0.000019, 100000.0), 1);
    EXPECT_EQ(ScaleDecimal(0.0, 100000.0), 0.0);
}

TEST(ScaleToInt32, FitsOrRefuses) {
    EXPECT_EQ(ScaleToInt32(145.0125, 100000.0), std::optional<std::int32_t>(14501250));
    EXPECT_EQ(ScaleToInt32(-145.0125, 100000.0), std::optional<std::int32_t>(-14501250));
    EXPECT_EQ(ScaleToInt32(21474.83647, 100000.0), std::optional<std::int32_t>(2147483647));
    EXPECT_EQ(ScaleToInt32(21474.83648, 100000.0), std::nullopt);
    EXPECT_EQ(ScaleToInt32(-21474.83649, 100000.0), std::nullopt);
    EXPECT_EQ(ScaleToInt32(1e300, 100000.0), std::nullopt);
    // A product beyond the double range must not read as zero.
    EXPECT_EQ(ScaleToInt32(1e308, 100000.0), std::nullopt);
    EXPECT_EQ(ScaleToInt32(-1e308, 100000.0), std::nullopt);
    EXPECT_EQ(ScaleToInt32(ParseLeadingNumber("1e999"), 100000.0), std::nullopt);
    EXPECT_EQ(ScaleToInt32(std::numeric_limits<double>::infinity(), 10.0), std::nullopt);
    EXPECT_EQ(ScaleToInt32(std::numeric_limits<double>::quiet_NaN(), 10.0), std::nullopt);
}

TEST(FrequencyCode, WorkedExamplesAsBytes) {
    EXPECT_EQ(EncodeFrequencyText("145.0125"), (FrequencyBytes{0x50, 0x12, 0x50, 0x14}));
    EXPECT_EQ(EncodeFrequencyText("146.525009"), (FrequencyBytes{0x00, 0x25, 0x65, 0x14}));
    EXPECT_EQ(FrequencyCountFromText("145.0125"), 14501250);

    const std::array<std::uint8_t, 4> stored{0x00, 0x25, 0x65, 0x14};
    EXPECT_EQ(FrequencyText(stored.data()), "146.52500");
    EXPECT_EQ(DecodeFrequencyCount(stored.data()), 14652500);
}

TEST(FrequencyCode, NoFrequencyAndTheEightDigitLimit) {
    const FrequencyBytes none{0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncodeFrequencyText(""), none);
    EXPECT_EQ(EncodeFrequencyText("0"), none);
    EXPECT_EQ(EncodeFrequencyText("abc"), none);
    EXPECT_EQ(EncodeFrequencyText("-145.5"), none);
    EXPECT_EQ(EncodeFrequencyText("1000"), none);
    EXPECT_EQ(EncodeFrequencyText("1234.5"), none);
    EXPECT_EQ(EncodeFrequencyText("999.99999"), (FrequencyBytes{0x99, 0x99, 0x99, 0x99}));
    EXPECT_EQ(EncodeFrequencyText("0.00001"), (FrequencyBytes{0x01, 0x00, 0x00, 0x00}));
}

TEST(FrequencyCode, PresenceAndUncheckedDigits) {
    const std::array<std::uint8_t, 4> zeroTop{0x00, 0x50, 0x45, 0x00};
    EXPECT_FALSE(FrequencyPresent(zeroTop.data()));
    EXPECT_EQ(FrequencyText(zeroTop.data()), "");
    const std::array<std::uint8_t, 4> ffTop{0x00, 0x50, 0x45, 0xFF};
    EXPECT_FALSE(FrequencyPresent(ffTop.data()));
    EXPECT_EQ(FrequencyText(ffTop.data()), "");
    // Digits are not checked: 0x0F counts as 15.
    const std::array<std::uint8_t, 4> odd{0x00, 0x00, 0x0F, 0x14};
    EXPECT_TRUE(FrequencyPresent(odd.data()));
    EXPECT_EQ(FrequencyText(odd.data()), "141.50000");
}

// The parsers must read as atof/atoi do in the "C" locale.
class LeadingNumber : public ::testing::TestWithParam<const char*> {};

TEST_P(LeadingNumber, ReadsAsTheStandardLibrary) {
    const char* text = GetParam();
    EXPECT_EQ(ParseLeadingNumber(text), std::atof(text)) << '"' << text << '"';
    EXPECT_EQ(ParseLeadingInt(text), std::atoi(text)) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumber,
                         ::testing::Values("145.5abc", "  -3", "abc", "1e2", "", "146.52500", "+7",
                                           ".5", "5.", "-.25x", "1e", "1e+", "2.5E-1", "\t\n 12",
                                           "- 3", "00145.0125", "7,5", "+", "."));

TEST(LeadingNumber, IntSaturatesBeyondItsRange) {
    EXPECT_EQ(ParseLeadingInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseLeadingInt("-99999999999"), std::numeric_limits<int>::min());
}

// A locale with a decimal comma must not change what a typed number means or
// how a frequency or tone is written.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr) {
                return;
            }
        }
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, m_saved.c_str()); }

private:
    std::string m_saved;
};

TEST_F(CommaLocale, ParsingAndFormattingIgnoreTheLocale) {
    ASSERT_EQ(std::atof("145.5"), 145.0); // the locale really reads a comma
    EXPECT_EQ(ParseLeadingNumber("145.5abc"), 145.5);
    EXPECT_EQ(ParseLeadingNumber("145,5"), 145.0);
    EXPECT_EQ(ParseLeadingInt("  -3"), -3);
    EXPECT_EQ(FrequencyCountFromText("145.0125"), 14501250);
    EXPECT_EQ(FormatMHz(std::int64_t{14652500}), "146.52500");
    EXPECT_EQ(DecodeTone(ToneCodeKind::Lark, 0x9E, 0x02), "67.0");
    EXPECT_EQ(DecodeTone(ToneCodeKind::Wren, 0x41, 0x25), "254.1");
    EXPECT_EQ(EncodeTone(ToneCodeKind::Wren, "254.1").low, 0x41);
}

} // namespace
} // namespace radio
