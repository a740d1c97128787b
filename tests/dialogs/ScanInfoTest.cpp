// The scan settings' rules over every value the radio can hold: what is
// shown reads back as the same byte, spins walk the 0.05 grid without
// skipping or sticking, and OK never stores a byte outside the radio's range.
#include "ScanInfo.h"

#include "MemoryImage.h"
#include "Variant.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace radio;

TEST(ScanInfo, EveryLookBackStepShowsAndStoresAsItsOwnByte) {
    for (int byte = 1; byte <= 91; ++byte) {
        const double t = LookBackOfByte(byte);
        double typed = 0.0;
        // What the dialog shows, typed back in, is the same step.
        ASSERT_TRUE(ParseDialogNumber(FormatLookBack(t), typed)) << byte;
        EXPECT_EQ(LookBackByte(typed), byte) << FormatLookBack(t);
        EXPECT_EQ(LookBackByte(CorrectLookBack(typed)), byte) << FormatLookBack(t);
        // One click up and one down walk to the neighbours (wrapping at the ends).
        EXPECT_EQ(LookBackByte(SpinLookBack(t, 1)), byte == 91 ? 1 : byte + 1) << byte;
        EXPECT_EQ(LookBackByte(SpinLookBack(t, -1)), byte == 1 ? 91 : byte - 1) << byte;
    }
    EXPECT_EQ(FormatLookBack(LookBackOfByte(9)), "0.9");
    EXPECT_EQ(FormatLookBack(SpinLookBack(0.55, -1)), "0.5");
    EXPECT_EQ(FormatLookBack(CorrectLookBack(0.57)), "0.55");
    EXPECT_EQ(CorrectLookBack(7.0), 5.0);
    EXPECT_EQ(CorrectLookBack(0.1), 0.5);
}

TEST(ScanInfo, TimersWrapOnSpinsAndClampWhenLeft) {
    EXPECT_EQ(SpinTimer(300, 1), 0);
    EXPECT_EQ(SpinTimer(0, -1), 300);
    EXPECT_EQ(SpinTimer(48, 1), 49);
    EXPECT_EQ(CorrectTimer(1000), 300);
    EXPECT_EQ(CorrectTimer(-3), 0);
    int v = 0;
    EXPECT_FALSE(ParseDialogInteger("", v));
    EXPECT_FALSE(ParseDialogInteger("1e3", v));
    EXPECT_TRUE(ParseDialogInteger(" 258 ", v));
    EXPECT_EQ(v, 258);
}

TEST(ScanInfo, OkStoresNothingBeyondTheRadiosRangeAndKeepsWhatShowsNoChoice) {
    const ModelVariant& lark = VariantFor(Model::Lark);
    Image image = MakeDefaultImage(lark);
    ScanValues values = LoadScanValues(image);
    EXPECT_EQ(values.revert, -1); // a new document has none chosen
    values.lookBackA = 131.0;
    values.lookBackB = -2.0;
    values.dropoutDelay = 70000;
    values.txDwell = 258;
    ASSERT_TRUE(StoreScanValues(lark, image, values));
    EXPECT_EQ(image[0x162], 91);
    EXPECT_EQ(image[0x163], 1);
    EXPECT_EQ(image[0x165] | (image[0x166] << 8), 300);
    EXPECT_EQ(image[0x167], 0x02);
    EXPECT_EQ(image[0x168], 0x01);
    EXPECT_EQ(image[0x164], 0xFF);

    // Selected with a stored revert beyond its two entries: it stays.
    image[0x160] = 2;
    image[0x164] = 0xFF;
    values = LoadScanValues(image);
    EXPECT_EQ(values.revert, -1);
    ASSERT_TRUE(StoreScanValues(lark, image, values));
    EXPECT_EQ(image[0x164], 0xFF);
}

TEST(ScanInfo, SetFieldActsAsTheDialogAndNamesWhatItTakes) {
    ScanValues values = LoadScanValues(MakeDefaultImage(VariantFor(Model::Lark)));
    std::string error;
    EXPECT_FALSE(SetScanField(values, "Look Back Time A", "1.5", error));
    EXPECT_NE(error.find("Fixed"), std::string::npos) << error;
    ASSERT_TRUE(SetScanField(values, "priority", "fixed", error)) << error;
    EXPECT_EQ(values.revert, 0);
    ASSERT_TRUE(SetScanField(values, "优先信道", " 5", error)) << error;
    EXPECT_EQ(values.priorityChannel, "5");
    EXPECT_FALSE(SetScanField(values, "Priority Channel", "17", error));
    ASSERT_TRUE(SetScanField(values, "Look Back Time B", "0.57", error)) << error;
    EXPECT_EQ(FormatLookBack(values.lookBackB), "0.55");
    EXPECT_FALSE(SetScanField(values, "Revert Channel", "Sometimes", error));
    EXPECT_NE(error.find("\"Priority+Talk back\""), std::string::npos) << error;
    ASSERT_TRUE(SetScanField(values, "Revert Channel", "优先+当前通话", error)) << error;
    EXPECT_EQ(values.revert, 3);
    EXPECT_FALSE(SetScanField(values, "Dropout Delay Time", "-1", error));
    EXPECT_FALSE(SetScanField(values, "Volume", "3", error));
    EXPECT_NE(error.find("\"Tx Dwell Time\""), std::string::npos) << error;
    EXPECT_TRUE(IsScanPriorityField("PRIORITY"));
    EXPECT_FALSE(IsScanPriorityField("Priority Channel"));
}

} // namespace
