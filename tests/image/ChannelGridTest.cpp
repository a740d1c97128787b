#include "ChannelGrid.h"
#include "ChannelName.h"
#include "ToneCode.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace radio {
namespace {

const ModelVariant& Lark() {
    return VariantFor(Model::Lark);
}
const ModelVariant& V3() {
    return VariantFor(Model::WrenV3);
}

// Test names from the variant table ("ProgramLark", ...).
std::string ModelName(Model m) {
    return std::string(VariantFor(m).programName);
}

// Stores a count of 10 Hz as 8 BCD digits, least significant pair first.
void PutCount(std::uint8_t* p, std::int64_t v) {
    for (int k = 0; k < 4; ++k) {
        const int d = static_cast<int>(v % 100);
        p[k] = static_cast<std::uint8_t>((d / 10) << 4 | d % 10);
        v /= 100;
    }
}

void PutNone(std::uint8_t* p, int n = 4) {
    for (int i = 0; i < n; ++i) {
        p[i] = 0xFF;
    }
}

std::uint8_t* Record(Image& image, const ModelVariant& v, int row) {
    return &image[v.RecordOffset(row)];
}

std::vector<std::uint8_t> Bytes(const Image& image, int offset, int n) {
    return {image.begin() + offset, image.begin() + offset + n};
}

CellTable GridOf(const ModelVariant& v, Image& image, Language lang = Language::English) {
    CellTable table = MakeChannelTable(v, lang);
    ImageToGrid(v, image, table, lang);
    return table;
}

std::vector<std::string> RowTexts(const ModelVariant& v, const CellTable& t, int row) {
    std::vector<std::string> out;
    for (int c = 1; c < v.Cols(); ++c) {
        out.push_back(t.TextMatrix(row, c));
    }
    return out;
}

void SetRow(const ModelVariant& v, CellTable& t, int row, const std::vector<std::string>& texts) {
    ASSERT_EQ(static_cast<int>(texts.size()), v.Cols() - 1);
    for (int c = 1; c < v.Cols(); ++c) {
        t.SetTextMatrix(row, c, texts[c - 1]);
    }
}

using Strings = std::vector<std::string>;

// ---------------------------------------------------------------------------
// Layout: headings, row labels, new-channel defaults

TEST(GridLayout, SizesHeadingsAndLabels) {
    const Strings larkEn{"CH",    "Rx Frequency", "Tx Frequency", "QT/DQT Dec", "QT/DQT Enc",
                         "Power", "Scan Add",     "Busy Lock",    "W/N"};
    const Strings larkZh{"信道", "接收频率", "发射频率", "QT/DQT解码", "QT/DQT编码",
                         "功率", "扫描添加", "繁忙锁定", "宽/窄"};
    const Strings wrenEn{"CH",         "Rx Frequency", "Tx Frequency", "QT/DQT Dec",
                         "QT/DQT Enc", "Power",        "Cha Lock",     "Scan Add"};
    const Strings wrenZh{"信道",       "接收频率", "发射频率", "QT/DQT解码",
                         "QT/DQT编码", "功率",     "信道锁定", "扫描添加"};
    Strings v3En = wrenEn;
    v3En.push_back("Cha Name");
    Strings v3Zh = wrenZh;
    v3Zh.push_back("信道名字");

    struct Expect {
        Model model;
        int rows;
        const Strings* en;
        const Strings* zh;
        std::vector<std::pair<int, std::string>> labels;
    };
    const std::vector<Expect> all{
        {Model::Lark, 17, &larkEn, &larkZh, {{1, " 1"}, {9, " 9"}, {16, "16"}}},
        {Model::Wren, 200, &wrenEn, &wrenZh, {{1, "  1"}, {42, " 42"}, {199, "199"}}},
        {Model::WrenV2, 200, &wrenEn, &wrenZh, {{1, "  1"}, {199, "199"}}},
        {Model::WrenV3, 201, &v3En, &v3Zh, {{1, "Pr"}, {2, "  1"}, {200, "199"}}},
    };
    for (const Expect& e : all) {
        SCOPED_TRACE(ModelName(e.model));
        const ModelVariant& v = VariantFor(e.model);
        ASSERT_EQ(v.Rows(), e.rows);
        ASSERT_EQ(v.Cols(), static_cast<int>(e.en->size()));
        for (Language lang : {Language::English, Language::Chinese}) {
            const CellTable t = MakeChannelTable(v, lang);
            ASSERT_EQ(t.Rows(), e.rows);
            ASSERT_EQ(t.Cols(), v.Cols());
            const Strings& want = lang == Language::English ? *e.en : *e.zh;
            for (int c = 0; c < v.Cols(); ++c) {
                EXPECT_EQ(t.TextMatrix(0, c), want[c]);
            }
            for (const auto& [row, label] : e.labels) {
                EXPECT_EQ(t.TextMatrix(row, 0), label);
                EXPECT_EQ(v.RowLabel(row), label);
            }
        }
    }
}

TEST(GridLayout, NewChannelDefaults) {
    EXPECT_EQ(NewChannelDefaults(Lark(), Language::English),
              (Strings{"None", "None", "High", "No", "Off", "Wide"}));
    EXPECT_EQ(NewChannelDefaults(Lark(), Language::Chinese),
              (Strings{"无", "无", "高", "无", "关", "宽"}));
    EXPECT_EQ(NewChannelDefaults(V3(), Language::English),
              (Strings{"None", "None", "High", "Lock", "Yes", ""}));
    EXPECT_EQ(NewChannelDefaults(V3(), Language::Chinese),
              (Strings{"无", "无", "高", "锁定", "有", ""}));
    for (Model m : {Model::Wren, Model::WrenV2}) {
        EXPECT_EQ(NewChannelDefaults(VariantFor(m), Language::English),
                  (Strings{"None", "None", "High", "Lock", "Yes"}));
        EXPECT_EQ(NewChannelDefaults(VariantFor(m), Language::Chinese),
                  (Strings{"无", "无", "高", "锁定", "有"}));
    }
}

// ---------------------------------------------------------------------------
// A new document's empty rows parsed back into the image

class EmptyRows : public ::testing::TestWithParam<Model> {};

TEST_P(EmptyRows, ParseIntoEachProgrammersEmptyRecord) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    if (v.HasNames()) {
        // Name bytes of empty rows are left alone, whatever they hold.
        for (int i = 0; i < 200 * 8; ++i) {
            image[v.nameBase + i] = static_cast<std::uint8_t>(i * 7);
        }
    }
    const Image before = image;
    CellTable table = GridOf(v, image);
    for (int r = 1; r <= v.channelRows; ++r) {
        for (int c = 1; c < v.Cols(); ++c) {
            ASSERT_EQ(table.TextMatrix(r, c), "") << "row " << r << " col " << c;
        }
    }
    GridToImage(v, table, image);

    Image want = before;
    for (int r = 1; r <= v.channelRows; ++r) {
        std::uint8_t* rec = Record(want, v, r);
        switch (v.model) {
        case Model::Lark:
            rec[12] = 0xF7;
            rec[13] = 0xCF;
            break;
        case Model::Wren:
            rec[12] = 0xCF;
            break;
        case Model::WrenV2:
            rec[12] = 0xC7;
            break;
        case Model::WrenV3:
            break;
        }
    }
    EXPECT_EQ(image, want);
    if (v.model == Model::Lark) {
        EXPECT_EQ(image[0x17E], 0x00);
        EXPECT_EQ(image[0x17F], 0x00);
    }
}

INSTANTIATE_TEST_SUITE_P(AllModels, EmptyRows,
                         ::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                         [](const auto& info) { return ModelName(info.param); });

// ---------------------------------------------------------------------------
// ProgramLark

TEST(LarkGrid, ShowsEveryFieldOfAFullRow) {
    Image image = MakeDefaultImage(Lark());
    struct Row {
        std::uint8_t b12, b13;
        Strings en, zh;
    };
    const std::vector<Row> rows{
        {0x00, 0x30, {"Off", "High", "Wide"}, {"关", "高", "宽"}},
        {0xE7 | 0x08, 0x00, {"Carrier", "Low", "Narrow"}, {"载波", "低", "窄"}},
        {0x10, 0xF0, {"QT/DQT", "High", "Wide"}, {"QT/DQT", "高", "宽"}},
        {0x18, 0xCF, {"QT/DQT", "Low", "Narrow"}, {"QT/DQT", "低", "窄"}},
    };
    for (int i = 0; i < 4; ++i) {
        std::uint8_t* rec = Record(image, Lark(), i + 1);
        PutCount(rec, 14501250);
        PutCount(rec + 4, 14652500);
        rec[8] = 0x13; // D023N
        rec[9] = 0x28;
        rec[10] = 0x9E; // 67.0
        rec[11] = 0x02;
        rec[12] = rows[i].b12;
        rec[13] = rows[i].b13;
    }
    image[0x17E] = 0x01; // scan add on channel 1 only
    for (Language lang : {Language::English, Language::Chinese}) {
        const CellTable t = GridOf(Lark(), image, lang);
        for (int i = 0; i < 4; ++i) {
            const Strings& s = lang == Language::English ? rows[i].en : rows[i].zh;
            const std::string scan = i == 0 ? (lang == Language::English ? "Yes" : "有")
                                            : (lang == Language::English ? "No" : "无");
            EXPECT_EQ(RowTexts(Lark(), t, i + 1),
                      (Strings{"145.01250", "146.52500", "D023N", "67.0", s[1], scan, s[0], s[2]}))
                << "row " << i + 1;
        }
    }
}

TEST(LarkGrid, BlankRowShowsTonesAndScanAddOnly) {
    Image image = MakeDefaultImage(Lark());
    // Row 2: receive frequency but no transmit frequency.
    std::uint8_t* rec = Record(image, Lark(), 2);
    PutCount(rec, 14500000);
    rec[8] = 0x13;
    rec[9] = 0x28;
    rec[12] = 0x08;
    rec[13] = 0x30;
    // Row 3: nothing at all, a CTCSS tone in the encode field.
    rec = Record(image, Lark(), 3);
    rec[10] = 0x9E;
    rec[11] = 0x02;
    // Row 4: transmit only, receive frequency with a zero top byte.
    rec = Record(image, Lark(), 4);
    PutCount(rec, 505000);
    PutCount(rec + 4, 14500000);
    // Row 10: a used channel without scan add.
    rec = Record(image, Lark(), 10);
    PutCount(rec, 14500000);
    PutCount(rec + 4, 14500000);
    rec[9] = 0x00;              // no tone, 0x00 form
    image[0x17E] = 0x02 | 0x04; // rows 2 and 3
    image[0x17F] = 0x80;        // row 16

    const CellTable t = GridOf(Lark(), image);
    EXPECT_EQ(RowTexts(Lark(), t, 2), (Strings{"145.00000", "", "D023N", "", "", "Yes", "", ""}));
    EXPECT_EQ(RowTexts(Lark(), t, 3), (Strings{"", "", "", "67.0", "", "Yes", "", ""}));
    EXPECT_EQ(RowTexts(Lark(), t, 4), (Strings{"", "145.00000", "", "", "", "", "", ""}));
    EXPECT_EQ(RowTexts(Lark(), t, 10),
              (Strings{"145.00000", "145.00000", "None", "None", "High", "No", "QT/DQT", "Wide"}));
    EXPECT_EQ(t.TextMatrix(16, 6), "Yes");
    EXPECT_EQ(t.TextMatrix(15, 6), "");
}

TEST(LarkGrid, ParsesEveryFieldAndKeepsTheOtherBits) {
    Image image = MakeDefaultImage(Lark());
    auto prime = [&](int row, std::uint8_t b12, std::uint8_t b13) {
        std::uint8_t* rec = Record(image, Lark(), row);
        rec[12] = b12;
        rec[13] = b13;
        rec[14] = static_cast<std::uint8_t>(0xA0 + row);
        rec[15] = static_cast<std::uint8_t>(0x50 + row);
    };
    prime(1, 0x00, 0x00);
    prime(2, 0xFF, 0xFF);
    prime(3, 0x00, 0x00);
    prime(4, 0x4A, 0x7A);
    prime(12, 0x00, 0x00);
    image[0x17E] = 0xFF;
    image[0x17F] = 0xFF;

    CellTable t = MakeChannelTable(Lark(), Language::English);
    SetRow(Lark(), t, 1,
           {"145.0125", "146.52500", "D023N", "67.0", "High", "Yes", "Carrier", "Wide"});
    SetRow(Lark(), t, 2, {"145.5", "", "无", "D754I", "低", "无", "关", "窄"});
    SetRow(Lark(), t, 3, {"146.525009", "0", "None", "", "高", "有", "QT/DQT", "宽"});
    SetRow(Lark(), t, 4, {"", "", "", "", "", "", "", ""});
    SetRow(Lark(), t, 12, {"145.5abc", "abc", "D371I", "254.1", "Hgh", "Yes", "载波", "Wde"});
    GridToImage(Lark(), t, image);

    using B = std::vector<std::uint8_t>;
    EXPECT_EQ(Bytes(image, Lark().RecordOffset(1), 16),
              (B{0x50, 0x12, 0x50, 0x14, 0x00, 0x25, 0x65, 0x14, 0x13, 0x28, 0x9E, 0x02, 0x08, 0x30,
                 0xA1, 0x51}));
    EXPECT_EQ(Bytes(image, Lark().RecordOffset(2), 16),
              (B{0x00, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEC, 0xA9, 0xE7, 0xCF,
                 0xA2, 0x52}));
    EXPECT_EQ(Bytes(image, Lark().RecordOffset(3), 16),
              (B{0x00, 0x25, 0x65, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x30,
                 0xA3, 0x53}));
    // An empty row: busy lock 10, power and bandwidth cleared, the rest kept.
    EXPECT_EQ(Bytes(image, Lark().RecordOffset(4), 16),
              (B{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x52, 0x4A,
                 0xA4, 0x54}));
    EXPECT_EQ(Bytes(image, Lark().RecordOffset(12), 16),
              (B{0x00, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xF9, 0xA8, 0xED, 0x09, 0x08, 0x00,
                 0xAC, 0x5C}));
    // Scan add: rows 1 and 3 in the first bitmap, row 12 in the second.
    EXPECT_EQ(image[0x17E], 0x05);
    EXPECT_EQ(image[0x17F], 0x08);
}

TEST(LarkGrid, ScanAddBitmapCoversAllSixteenRows) {
    Image image = MakeDefaultImage(Lark());
    CellTable t = GridOf(Lark(), image);
    for (int row : {1, 8, 9, 16}) {
        t.SetTextMatrix(row, 6, "Yes");
    }
    t.SetTextMatrix(3, 6, "有");
    t.SetTextMatrix(4, 6, "yes"); // comparisons are case-sensitive
    GridToImage(Lark(), t, image);
    EXPECT_EQ(image[0x17E], 0x85);
    EXPECT_EQ(image[0x17F], 0x81);

    const CellTable back = GridOf(Lark(), image);
    for (int row = 1; row <= 16; ++row) {
        const bool set = row == 1 || row == 3 || row == 8 || row == 9 || row == 16;
        EXPECT_EQ(back.TextMatrix(row, 6), set ? "Yes" : "") << row;
    }
}

// ---------------------------------------------------------------------------
// ProgramWren family

class WrenFamily : public ::testing::TestWithParam<Model> {};

TEST_P(WrenFamily, ShowsPowerLockAndScanAdd) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    // Rows 2-5: the four power codes with lock/scan patterns.
    const std::uint8_t b12[] = {0xC3, 0x1C | 0x00, 0x20 | 0x08, 0x30 | 0x04};
    const Strings power{"Low", "Middle", "High", ""};
    const Strings powerZh{"低", "中", "高", ""};
    for (int i = 0; i < 4; ++i) {
        std::uint8_t* rec = Record(image, v, i + 2);
        PutCount(rec, 43812500);
        PutCount(rec + 4, 43812500);
        rec[8] = 0x23; // D023N
        rec[9] = 0x80;
        rec[10] = 0x41; // 254.1
        rec[11] = 0x25;
        rec[12] = b12[i];
    }
    const Strings lock{"Unlock", "Lock", "Lock", "Unlock"};
    const Strings lockZh{"未锁定", "锁定", "锁定", "未锁定"};
    const Strings scan{"No", "Yes", "No", "Yes"};
    const Strings scanZh{"无", "有", "无", "有"};
    for (Language lang : {Language::English, Language::Chinese}) {
        const bool en = lang == Language::English;
        const CellTable t = GridOf(v, image, lang);
        for (int i = 0; i < 4; ++i) {
            Strings want{"438.12500",
                         "438.12500",
                         "D023N",
                         "254.1",
                         en ? power[i] : powerZh[i],
                         en ? lock[i] : lockZh[i],
                         en ? scan[i] : scanZh[i]};
            if (v.HasNames()) {
                want.push_back("");
            }
            EXPECT_EQ(RowTexts(v, t, i + 2), want) << "row " << i + 2;
        }
    }
}

TEST_P(WrenFamily, BlankTestAndNoToneTexts) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    // Row 2: receive frequency only; no tone in 0x00 form; power Middle.
    std::uint8_t* rec = Record(image, v, 2);
    PutCount(rec, 14500000);
    rec[8] = 0x12;
    rec[9] = 0x00;
    rec[10] = 0x23;
    rec[11] = 0xC7; // D723I
    rec[12] = 0x1C;
    // Row 3: transmit frequency and a tone, no receive frequency.
    rec = Record(image, v, 3);
    PutCount(rec + 4, 14500000);
    rec[8] = 0x70;
    rec[9] = 0x06;
    rec[12] = 0x2C;

    const CellTable t = GridOf(v, image);
    if (v.model == Model::WrenV3) {
        // Only a missing receive frequency makes a row blank.
        EXPECT_EQ(RowTexts(v, t, 2),
                  (Strings{"145.00000", "", "None", "D723I", "Middle", "Lock", "Yes", ""}));
        EXPECT_EQ(RowTexts(v, t, 3), (Strings{"", "", "", "", "", "", "", ""}));
    } else {
        EXPECT_EQ(RowTexts(v, t, 2), (Strings{"145.00000", "", "", "D723I", "", "", ""}));
        EXPECT_EQ(RowTexts(v, t, 3), (Strings{"", "145.00000", "67.0", "", "", "", ""}));
    }
}

TEST_P(WrenFamily, ParsesEveryFieldAndKeepsTheOtherBits) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    const std::uint8_t start12[] = {0xC3, 0x3C, 0x00, 0x00, 0xFF, 0x30};
    for (int i = 0; i < 6; ++i) {
        std::uint8_t* rec = Record(image, v, i + 1);
        rec[12] = start12[i];
        rec[13] = 0x11;
        rec[14] = 0x22;
        rec[15] = static_cast<std::uint8_t>(0x30 + i);
    }
    CellTable t = MakeChannelTable(v, Language::English);
    const std::vector<Strings> rows{
        {"145.0125", "146.52500", "D023N", "67.0", "High", "Lock", "Yes"},
        {"145.0125", "", "D754I", "None", "Middle", "Unlock", "No"},
        {"145.0125", "145.0125", "", "", "Low", "", ""},
        {"145.0125", "145.0125", "无", "D017N", "高", "锁定", "有"},
        {"145.0125", "145.0125", "62.5", "100.0", "中", "未锁定", "无"},
        {"145.0125", "145.0125", "None", "None", "Hgh", "lock", "no"},
    };
    for (int i = 0; i < 6; ++i) {
        Strings texts = rows[i];
        if (v.HasNames()) {
            texts.push_back("");
        }
        SetRow(v, t, i + 1, texts);
    }
    GridToImage(v, t, image);

    const bool emptyLocks = v.model != Model::WrenV2;
    const std::uint8_t want12[] = {
        0xC3 | 0x20 | 0x08 | 0x04,
        0x10,
        static_cast<std::uint8_t>((emptyLocks ? 0x08 : 0x00) | 0x04),
        0x2C,
        0xD3,
        static_cast<std::uint8_t>((emptyLocks ? 0x08 : 0x00) | 0x04),
    };
    using B = std::vector<std::uint8_t>;
    const std::vector<B> tones{{0x23, 0x80, 0x70, 0x06}, {0x54, 0xC7, 0xFF, 0xFF},
                               {0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0x17, 0x80},
                               {0x25, 0x06, 0x00, 0x10}, {0xFF, 0xFF, 0xFF, 0xFF}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const int off = v.RecordOffset(i + 1);
        EXPECT_EQ(Bytes(image, off, 4), (B{0x50, 0x12, 0x50, 0x14}));
        EXPECT_EQ(Bytes(image, off + 8, 4), tones[i]);
        EXPECT_EQ(image[off + 12], want12[i]);
        EXPECT_EQ(Bytes(image, off + 13, 3), (B{0x11, 0x22, static_cast<std::uint8_t>(0x30 + i)}));
    }
    EXPECT_EQ(Bytes(image, v.RecordOffset(1) + 4, 4), (B{0x00, 0x25, 0x65, 0x14}));
    EXPECT_EQ(Bytes(image, v.RecordOffset(2) + 4, 4), (B{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_P(WrenFamily, PowerElevenShowsEmptyAndStoresLow) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    std::uint8_t* rec = Record(image, v, 7);
    PutCount(rec, 14500000);
    PutCount(rec + 4, 14500000);
    rec[12] = 0xFF;
    CellTable t = GridOf(v, image);
    EXPECT_EQ(t.TextMatrix(7, 5), "");
    EXPECT_EQ(t.TextMatrix(7, 6), "Lock");
    EXPECT_EQ(t.TextMatrix(7, 7), "Yes");
    GridToImage(v, t, image);
    EXPECT_EQ(image[v.RecordOffset(7) + 12], 0xCF);
}

TEST_P(WrenFamily, UnlockClearsTheLockBit) {
    const ModelVariant& v = VariantFor(GetParam());
    for (const char* unlock : {"Unlock", "未锁定"}) {
        Image image = MakeDefaultImage(v);
        CellTable t = GridOf(v, image);
        t.SetTextMatrix(5, 1, "145.00000");
        t.SetTextMatrix(5, 6, unlock);
        t.SetTextMatrix(5, 7, "Yes");
        GridToImage(v, t, image);
        EXPECT_EQ(image[v.RecordOffset(5) + 12] & 0x08, 0) << unlock;
        EXPECT_EQ(image[v.RecordOffset(5) + 12], 0xC7) << unlock;
    }
}

TEST_P(WrenFamily, LastRowIsParsed) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    CellTable t = GridOf(v, image);
    const int last = v.channelRows;
    t.SetTextMatrix(last, 1, "470.00000");
    t.SetTextMatrix(last, 5, "High");
    t.SetTextMatrix(last, 6, "Unlock");
    t.SetTextMatrix(last, 7, "No");
    if (v.HasNames()) {
        t.SetTextMatrix(last, 8, "LAST");
    }
    GridToImage(v, t, image);
    EXPECT_EQ(v.RecordOffset(last), 0xC70);
    EXPECT_EQ(Bytes(image, 0xC70, 4), (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x47}));
    EXPECT_EQ(image[0xC70 + 12], 0xE3);
    if (v.HasNames()) {
        EXPECT_EQ(v.NameOffset(last), 0x12C8);
        EXPECT_EQ(Bytes(image, 0x12C8, 8),
                  (std::vector<std::uint8_t>{21, 10, 28, 29, 0xFF, 0xFF, 0xFF, 0xFF}));
    }
}

TEST_P(WrenFamily, CommitHookRunsBeforeTheGridIsRead) {
    const ModelVariant& v = VariantFor(GetParam());
    Image image = MakeDefaultImage(v);
    CellTable t = GridOf(v, image);
    int calls = 0;
    GridHooks hooks;
    hooks.commitCellEditor = [&] {
        ++calls;
        t.SetTextMatrix(3, 1, "145.50000");
    };
    GridToImage(v, t, image, hooks);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Bytes(image, v.RecordOffset(3), 4),
              (std::vector<std::uint8_t>{0x00, 0x00, 0x55, 0x14}));
}

INSTANTIATE_TEST_SUITE_P(Programmers, WrenFamily,
                         ::testing::Values(Model::Wren, Model::WrenV2, Model::WrenV3),
                         [](const auto& info) { return ModelName(info.param); });

TEST(LarkGrid, GridToImageDoesNotCommitAnEdit) {
    Image image = MakeDefaultImage(Lark());
    CellTable t = GridOf(Lark(), image);
    int calls = 0;
    GridHooks hooks;
    hooks.commitCellEditor = [&] { ++calls; };
    GridToImage(Lark(), t, image, hooks);
    EXPECT_EQ(calls, 0);
}

TEST(GridHooksTest, ProductSelectionEndsImageToGrid) {
    for (const ModelVariant* v : AllVariants()) {
        Image image = MakeDefaultImage(*v);
        PutCount(Record(image, *v, 1), 14500000);
        PutCount(Record(image, *v, 1) + 4, 14500000);
        CellTable t = MakeChannelTable(*v, Language::English);
        int calls = 0;
        GridHooks hooks;
        hooks.applyProductSelection = [&](Image& img) {
            ++calls;
            EXPECT_EQ(t.TextMatrix(1, 1), "145.00000"); // the rows are already filled
            img[v->typeOffset] = 3;
            img[v->bandOffset] = 1;
        };
        ImageToGrid(*v, image, t, Language::English, hooks);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(image[v->typeOffset], 3);
        EXPECT_EQ(image[v->bandOffset], 1);
    }
}

TEST(GridHooksTest, ProductBytesPerProgrammer) {
    EXPECT_EQ(Lark().typeOffset, 0x3D2);
    EXPECT_EQ(Lark().bandOffset, 0x3D3);
    EXPECT_EQ(VariantFor(Model::Wren).typeOffset, 0x00E);
    EXPECT_EQ(VariantFor(Model::Wren).bandOffset, 0x00F);
    EXPECT_EQ(VariantFor(Model::WrenV2).typeOffset, 0x1FDE);
    EXPECT_EQ(VariantFor(Model::WrenV2).bandOffset, 0x1FDF);
    EXPECT_EQ(V3().typeOffset, 0x1FD6);
    EXPECT_EQ(V3().bandOffset, 0x1FD7);
}

// ---------------------------------------------------------------------------
// ProgramWrenV3: the "Pr" row and channel names

TEST(WrenV3Grid, PrRowAndClearingItsReceiveFrequency) {
    Image image = MakeDefaultImage(V3());
    std::uint8_t* rec = &image[0x000];
    PutCount(rec, 14500000);
    PutCount(rec + 4, 14600000);
    rec[12] = 0x2C;
    rec[13] = 0x5A;
    const std::array<std::uint8_t, 8> name{25, 27, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // PR1
    std::copy(name.begin(), name.end(), image.begin() + 0xC90);

    CellTable t = GridOf(V3(), image);
    EXPECT_EQ(t.TextMatrix(1, 0), "Pr");
    EXPECT_EQ(RowTexts(V3(), t, 1),
              (Strings{"145.00000", "146.00000", "None", "None", "High", "Lock", "Yes", "PR1"}));

    t.SetTextMatrix(1, 1, "");
    t.SetTextMatrix(1, 8, "XYZ"); // ignored: the row is empty
    GridToImage(V3(), t, image);
    EXPECT_EQ(Bytes(image, 0x000, 16), std::vector<std::uint8_t>(16, 0xFF));
    EXPECT_EQ(Bytes(image, 0xC90, 8), std::vector<std::uint8_t>(name.begin(), name.end()));
    // Channel 1 starts right after the "Pr" record.
    EXPECT_EQ(V3().RecordOffset(2), 0x010);
    EXPECT_EQ(V3().NameOffset(2), 0xC98);
}

TEST(WrenV3Grid, EmptyRowBecomesAllFF) {
    Image image = MakeDefaultImage(V3());
    std::uint8_t* rec = Record(image, V3(), 10);
    for (int i = 0; i < 16; ++i) {
        rec[i] = static_cast<std::uint8_t>(0x11 * i);
    }
    rec[3] = 0x00; // receive frequency not present
    CellTable t = GridOf(V3(), image);
    EXPECT_EQ(RowTexts(V3(), t, 10), Strings(8, ""));
    GridToImage(V3(), t, image);
    EXPECT_EQ(Bytes(image, V3().RecordOffset(10), 16), std::vector<std::uint8_t>(16, 0xFF));
}

TEST(ChannelNames, CharacterCodes) {
    EXPECT_EQ(NameCharCode('0'), 0);
    EXPECT_EQ(NameCharCode('9'), 9);
    EXPECT_EQ(NameCharCode('A'), 10);
    EXPECT_EQ(NameCharCode('Z'), 35);
    EXPECT_EQ(NameCharCode('-'), 36);
    EXPECT_EQ(NameCharCode('_'), 38);
    for (char c : {'a', 'z', ' ', '.', '+', '\0', '\xE4'}) {
        EXPECT_EQ(NameCharCode(c), 0xFF) << int(c);
        EXPECT_FALSE(IsNameChar(c));
    }
}

TEST(ChannelNames, EncodeAndDecode) {
    using N = std::array<std::uint8_t, 8>;
    EXPECT_EQ(EncodeChannelName("AB-1_"), (N{0x0A, 0x0B, 0x24, 0x01, 0x26, 0xFF, 0xFF, 0xFF}));
    const N ab{0x0A, 0x0B, 0x24, 0x01, 0x26, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeChannelName(ab.data()), "AB-1_");
    const N full = EncodeChannelName("ABCDEFGH");
    EXPECT_EQ(full[7], 17);
    EXPECT_EQ(DecodeChannelName(full.data()), "ABCDEFGH");
    EXPECT_EQ(DecodeChannelName(EncodeChannelName("ABCDEFGHIJ").data()), "ABCDEFGH");
    EXPECT_EQ(EncodeChannelName("Ab C"), (N{0x0A, 0xFF, 0xFF, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(DecodeChannelName(EncodeChannelName("Ab C").data()), "A");
    const N code37{0x0A, 37, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeChannelName(code37.data()), "A");
    const N code39{0x0A, 0x0B, 39, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeChannelName(code39.data()), "AB");
    EXPECT_EQ(DecodeChannelName(EncodeChannelName("").data()), "");
}

TEST(WrenV3Grid, NamesThroughTheGrid) {
    Image image = MakeDefaultImage(V3());
    CellTable t = GridOf(V3(), image);
    const Strings names{"AB-1_", "ABCDEFGH", "ab", "Ab C"};
    for (int i = 0; i < 4; ++i) {
        t.SetTextMatrix(i + 2, 1, "145.00000");
        t.SetTextMatrix(i + 2, 8, names[i]);
    }
    GridToImage(V3(), t, image);
    EXPECT_EQ(Bytes(image, V3().NameOffset(2), 8),
              (std::vector<std::uint8_t>{0x0A, 0x0B, 0x24, 0x01, 0x26, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(image, V3().NameOffset(4), 8), std::vector<std::uint8_t>(8, 0xFF));
    const CellTable back = GridOf(V3(), image);
    EXPECT_EQ(back.TextMatrix(2, 8), "AB-1_");
    EXPECT_EQ(back.TextMatrix(3, 8), "ABCDEFGH");
    EXPECT_EQ(back.TextMatrix(4, 8), "");
    EXPECT_EQ(back.TextMatrix(5, 8), "A");
}

// ---------------------------------------------------------------------------
// Frequencies of 1000 MHz and more do not fit the code

TEST(GridFrequencies, ThousandMegahertzAndAboveStoreNoFrequency) {
    for (const ModelVariant* v : AllVariants()) {
        SCOPED_TRACE(std::string(v->programName));
        Image image = MakeDefaultImage(*v);
        CellTable t = GridOf(*v, image);
        t.SetTextMatrix(2, 1, "1000");
        t.SetTextMatrix(2, 2, "1234.5");
        t.SetTextMatrix(3, 1, "999.99999");
        t.SetTextMatrix(3, 2, "1000.00000");
        t.SetTextMatrix(4, 1, "0");
        t.SetTextMatrix(4, 2, "145.0125");
        GridToImage(*v, t, image);
        using B = std::vector<std::uint8_t>;
        const B none(4, 0xFF);
        EXPECT_EQ(Bytes(image, v->RecordOffset(2), 4), none);
        EXPECT_EQ(Bytes(image, v->RecordOffset(2) + 4, 4), none);
        EXPECT_EQ(Bytes(image, v->RecordOffset(3), 4), (B{0x99, 0x99, 0x99, 0x99}));
        EXPECT_EQ(Bytes(image, v->RecordOffset(3) + 4, 4), none);
        EXPECT_EQ(Bytes(image, v->RecordOffset(4), 4), none);
        EXPECT_EQ(Bytes(image, v->RecordOffset(4) + 4, 4), (B{0x50, 0x12, 0x50, 0x14}));
        for (int r = 2; r <= 4; ++r) {
            for (int k = 0; k < 8; ++k) {
                const std::uint8_t b = image[v->RecordOffset(r) + k];
                EXPECT_TRUE(b == 0xFF || ((b >> 4) <= 9 && (b & 0x0F) <= 9)) << r << ":" << k;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Round trip of a realistic image

// A plausible radio image: used channels with valid fields, empty channels
// as the programmers write them, and random values in every byte that no
// field interprets.
Image RealisticImage(const ModelVariant& v, std::uint32_t seed) {
    std::mt19937 rng(seed);
    auto byte = [&] { return static_cast<std::uint8_t>(rng()); };
    Image image(v.imageSize);
    for (auto& b : image) {
        b = byte();
    }
    const std::vector<std::string> tones = BuildToneList(v.toneCode, Language::English);
    auto putTone = [&](std::uint8_t* p) {
        const std::size_t i = rng() % tones.size();
        const ToneBytes b = i == 0 ? ToneBytes{0xFF, 0xFF} : EncodeTone(v.toneCode, tones[i]);
        p[0] = b.low;
        p[1] = b.high;
    };
    const bool lark = v.model == Model::Lark;
    for (int r = 1; r <= v.channelRows; ++r) {
        std::uint8_t* rec = Record(image, v, r);
        const bool used = rng() % 3 != 0;
        if (!used) {
            if (v.model == Model::WrenV3) {
                PutNone(rec, 16);
                continue; // the name bytes keep their random values
            }
            PutNone(rec, 12);
            if (lark) {
                rec[12] = static_cast<std::uint8_t>((rec[12] & ~0x18) | 0x10);
                rec[13] &= ~0x30;
            } else {
                const std::uint8_t lock = v.model == Model::Wren ? 0x08 : 0x00;
                rec[12] = static_cast<std::uint8_t>((rec[12] & 0xC3) | lock | 0x04);
            }
            continue;
        }
        PutCount(rec, 10000000 + rng() % 89999999);
        if (v.model == Model::WrenV3 && rng() % 4 == 0) {
            PutNone(rec + 4);
        } else {
            PutCount(rec + 4, 10000000 + rng() % 89999999);
        }
        putTone(rec + 8);
        putTone(rec + 10);
        const int choice = static_cast<int>(rng() % 3); // 00, 01 or 10
        if (lark) {
            rec[12] = static_cast<std::uint8_t>((rec[12] & ~0x18) | choice << 3);
        } else {
            rec[12] = static_cast<std::uint8_t>((rec[12] & ~0x30) | choice << 4);
        }
        if (v.HasNames()) {
            std::uint8_t* name = &image[v.NameOffset(r)];
            const int len = static_cast<int>(rng() % 9);
            for (int i = 0; i < 8; ++i) {
                const int code = static_cast<int>(rng() % 38);
                name[i] = i < len ? static_cast<std::uint8_t>(code == 37 ? 38 : code) : 0xFF;
            }
        }
    }
    return image;
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<Model, Language>> {};

TEST_P(RoundTrip, KeepsEveryByte) {
    const ModelVariant& v = VariantFor(std::get<0>(GetParam()));
    const Language lang = std::get<1>(GetParam());
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        const Image original = RealisticImage(v, seed);
        Image image = original;
        CellTable t = GridOf(v, image, lang);
        ASSERT_EQ(image, original) << "ImageToGrid changed the image";
        GridToImage(v, t, image);
        for (std::size_t i = 0; i < image.size(); ++i) {
            ASSERT_EQ(image[i], original[i]) << "offset 0x" << std::hex << i << " seed " << seed;
        }
        // A second pass over a table full of stale texts shows the same texts.
        CellTable again = MakeChannelTable(v, lang);
        for (int r = 1; r <= v.channelRows; ++r) {
            for (int c = 1; c < v.Cols(); ++c) {
                again.SetTextMatrix(r, c, "stale");
            }
        }
        ImageToGrid(v, image, again, lang);
        for (int r = 1; r <= v.channelRows; ++r) {
            ASSERT_EQ(RowTexts(v, again, r), RowTexts(v, t, r)) << "row " << r;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, RoundTrip,
    ::testing::Combine(::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                       ::testing::Values(Language::English, Language::Chinese)),
    [](const auto& info) {
        return ModelName(std::get<0>(info.param)) +
               (std::get<1>(info.param) == Language::English ? "_English" : "_Chinese");
    });

TEST(GridLanguages, ChineseGridShowsChineseTexts) {
    const ModelVariant& v = VariantFor(Model::Wren);
    Image image = MakeDefaultImage(v);
    std::uint8_t* rec = Record(image, v, 1);
    PutCount(rec, 14500000);
    PutCount(rec + 4, 14500000);
    rec[12] = 0x2C;
    const CellTable t = GridOf(v, image, Language::Chinese);
    EXPECT_EQ(RowTexts(v, t, 1),
              (Strings{"145.00000", "145.00000", "无", "无", "高", "锁定", "有"}));
}

} // namespace
} // namespace radio
