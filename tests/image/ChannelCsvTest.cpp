#include "ChannelCsv.h"
#include "ChannelGrid.h"
#include "ToneCode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace radio {
namespace {

using Strings = std::vector<std::string>;

// Test names from the variant table ("ProgramLark", ...).
std::string ModelName(Model m) {
    return std::string(VariantFor(m).programName);
}

// ---------------------------------------------------------------------------
// RFC 4180 reading and writing

CsvRows Parse(std::string_view text) {
    CsvRows rows;
    std::string error;
    EXPECT_TRUE(ParseCsv(text, rows, error)) << error;
    return rows;
}

TEST(Csv, ReadsPlainQuotedAndMultiLineFields) {
    EXPECT_EQ(Parse("a,b\r\nc,d\r\n"), (CsvRows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(Parse("a,b\nc,d"), (CsvRows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(Parse(",,\r\n"), (CsvRows{{"", "", ""}}));
    EXPECT_EQ(Parse("\"x,y\",\"he said \"\"hi\"\"\",\"\"\r\n"),
              (CsvRows{{"x,y", "he said \"hi\"", ""}}));
    EXPECT_EQ(Parse("\"line1\r\nline2\",z\nw,\"a\nb\"\n"),
              (CsvRows{{"line1\r\nline2", "z"}, {"w", "a\nb"}}));
    EXPECT_EQ(Parse("\xEF\xBB\xBF"
                    "CH,1\r\n"),
              (CsvRows{{"CH", "1"}}));
    EXPECT_EQ(Parse("信道,无\r\n"), (CsvRows{{"信道", "无"}}));
    EXPECT_TRUE(Parse("").empty());
}

TEST(Csv, RefusesBrokenQuotesNamingTheLine) {
    CsvRows rows;
    std::string error;
    EXPECT_FALSE(ParseCsv("a,\"bc\r\nd", rows, error));
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(ParseCsv("a\r\nb\r\n\"c,d\r\n", rows, error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(ParseCsv("a,\"b\"c\r\n", rows, error));
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
}

TEST(Csv, WritesCrlfAndQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(FormatCsv({{"a", "b"}, {"", ""}}), "a,b\r\n,\r\n");
    EXPECT_EQ(FormatCsv({{"x,y", "q\"q", "l\nm", "r\rs", "信道", " 1"}}),
              "\"x,y\",\"q\"\"q\",\"l\nm\",\"r\rs\",信道, 1\r\n");
}

TEST(Csv, FormatThenParseIsTheIdentity) {
    const CsvRows rows{{"CH", "Rx Frequency", "a \"quoted\" text"},
                       {" 1", "145.00000", "comma, inside"},
                       {"", "", "two\r\nlines"},
                       {"\"", "\"\"", ",\n,"}};
    EXPECT_EQ(Parse(FormatCsv(rows)), rows);
}

// ---------------------------------------------------------------------------
// Export and import of the channel table

// An image with random bytes everywhere, except that frequencies stay below
// 1000 MHz and tone fields hold a tone of the list or none: whatever the grid
// shows of it must be importable.
Image ExportableImage(const ModelVariant& v, std::uint32_t seed) {
    std::mt19937 rng(seed);
    auto byte = [&] { return static_cast<std::uint8_t>(rng()); };
    Image image(v.imageSize);
    for (auto& b : image) {
        b = byte();
    }
    const std::vector<std::string> tones = BuildToneList(v.toneCode, Language::English);
    for (int r = 1; r <= v.channelRows; ++r) {
        std::uint8_t* rec = &image[v.RecordOffset(r)];
        for (int top : {3, 7}) {
            const unsigned pick = rng() % 8;
            rec[top] = pick == 0   ? 0xFF
                       : pick == 1 ? 0x00
                                   : static_cast<std::uint8_t>(rng() % 0x90);
        }
        for (int t : {8, 10}) {
            const unsigned pick = rng() % 6;
            if (pick == 0) {
                rec[t + 1] = 0xFF;
            } else if (pick == 1) {
                rec[t + 1] = 0x00;
            } else {
                const ToneBytes b = EncodeTone(v.toneCode, tones[1 + rng() % (tones.size() - 1)]);
                rec[t] = b.low;
                rec[t + 1] = b.high;
            }
        }
    }
    return image;
}

Image ViaGrid(const ModelVariant& v, Image image, Language lang) {
    CellTable t = MakeChannelTable(v, lang);
    ImageToGrid(v, image, t, lang);
    GridToImage(v, t, image);
    return image;
}

class ChannelCsv : public ::testing::TestWithParam<std::tuple<Model, Language>> {
protected:
    const ModelVariant& V() const { return VariantFor(std::get<0>(GetParam())); }
    Language Lang() const { return std::get<1>(GetParam()); }
};

TEST_P(ChannelCsv, ExportHasTheGridLayout) {
    const ModelVariant& v = V();
    Image image = ExportableImage(v, 21);
    const Image before = image;
    const std::string csv = ExportChannelCsv(v, image, Lang());
    EXPECT_EQ(image, before);
    EXPECT_EQ(csv.substr(0, Lang() == Language::English ? 3 : 7),
              Lang() == Language::English ? "CH," : "信道,");
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");

    CellTable t = MakeChannelTable(v, Lang());
    ImageToGrid(v, image, t, Lang());
    const CsvRows rows = Parse(csv);
    ASSERT_EQ(static_cast<int>(rows.size()), v.Rows());
    for (int r = 0; r < v.Rows(); ++r) {
        ASSERT_EQ(static_cast<int>(rows[r].size()), v.Cols()) << "row " << r;
        for (int c = 0; c < v.Cols(); ++c) {
            EXPECT_EQ(rows[r][c], t.TextMatrix(r, c)) << "row " << r << " col " << c;
        }
    }
    EXPECT_EQ(rows[1][0], v.RowLabel(1));
    EXPECT_EQ(rows.back()[0], v.model == Model::Lark ? "16" : "199");
}

TEST_P(ChannelCsv, ImportOfAnExportGivesTheBytesOfASave) {
    const ModelVariant& v = V();
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const Image original = ExportableImage(v, seed);
        const std::string csv = ExportChannelCsv(v, original, Lang());
        Image imported = original;
        std::string error;
        ASSERT_TRUE(ImportChannelCsv(v, csv, imported, error)) << error;
        EXPECT_EQ(imported, ViaGrid(v, original, Lang())) << "seed " << seed;
    }
    // A new document too, written in the other language.
    const Image fresh = MakeDefaultImage(v);
    const Language other = Lang() == Language::English ? Language::Chinese : Language::English;
    Image imported = fresh;
    std::string error;
    ASSERT_TRUE(ImportChannelCsv(v, ExportChannelCsv(v, fresh, other), imported, error)) << error;
    EXPECT_EQ(imported, ViaGrid(v, fresh, Lang()));
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, ChannelCsv,
    ::testing::Combine(::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                       ::testing::Values(Language::English, Language::Chinese)),
    [](const auto& info) {
        return ModelName(std::get<0>(info.param)) +
               (std::get<1>(info.param) == Language::English ? "_English" : "_Chinese");
    });

// The export of a new document, as rows to edit.
CsvRows FreshRows(const ModelVariant& v) {
    return Parse(ExportChannelCsv(v, MakeDefaultImage(v), Language::English));
}

// Imports `rows` over a random image; expects a refusal that names all of
// `mentions` and leaves the image untouched.
void ExpectRefused(const ModelVariant& v, const CsvRows& rows, const Strings& mentions) {
    Image image = ExportableImage(v, 99);
    const Image before = image;
    std::string error;
    EXPECT_FALSE(ImportChannelCsv(v, FormatCsv(rows), image, error));
    EXPECT_FALSE(error.empty());
    for (const std::string& m : mentions) {
        EXPECT_NE(error.find(m), std::string::npos) << "\"" << m << "\" not in: " << error;
    }
    EXPECT_EQ(image, before);
}

TEST(ChannelCsvImport, RefusesTheWrongShape) {
    for (const ModelVariant* v : AllVariants()) {
        SCOPED_TRACE(std::string(v->programName));
        CsvRows rows = FreshRows(*v);
        CsvRows fewer = rows;
        fewer.pop_back();
        ExpectRefused(*v, fewer, {});
        CsvRows more = rows;
        more.push_back(rows.back());
        ExpectRefused(*v, more, {});
        CsvRows shortRow = rows;
        shortRow[5].pop_back();
        ExpectRefused(*v, shortRow, {"line 6"});
        CsvRows longRow = rows;
        longRow[5].push_back("");
        ExpectRefused(*v, longRow, {"line 6"});
        CsvRows shortHeading = rows;
        shortHeading[0].pop_back();
        ExpectRefused(*v, shortHeading, {"line 1"});
        ExpectRefused(*v, {}, {});
    }
}

TEST(ChannelCsvImport, RefusesBadCellsNamingLineAndColumn) {
    const ModelVariant& lark = VariantFor(Model::Lark);
    struct Bad {
        int col;
        const char* text;
    };
    const std::vector<Bad> larkBad{
        {1, "145.5abc"}, {1, "1000"}, {1, "1234.5"}, {2, "1000.00000"}, {1, "abc"},
        {1, "-145.5"},   {5, "Hgh"},  {5, "high"},   {3, "D023"},       {4, "D999N"},
        {3, "67"},       {6, "Lock"}, {7, "On"},     {8, "Middle"},     {3, "None "},
    };
    for (const Bad& b : larkBad) {
        SCOPED_TRACE(b.text);
        CsvRows rows = FreshRows(lark);
        rows[3][1] = "145.00000";
        rows[3][b.col] = b.text;
        ExpectRefused(lark, rows, {"line 4", "column " + std::to_string(b.col)});
    }

    const ModelVariant& v3 = VariantFor(Model::WrenV3);
    const std::vector<Bad> v3Bad{{8, "AB C"}, {8, "ABCDEFGHI"}, {8, "A.B"}, {5, "Carrier"},
                                 {6, "Yes"},  {7, "Lock"},      {1, "1000"}};
    for (const Bad& b : v3Bad) {
        SCOPED_TRACE(b.text);
        CsvRows rows = FreshRows(v3);
        rows[2][1] = "145.00000";
        rows[2][b.col] = b.text;
        ExpectRefused(v3, rows, {"line 3", "column " + std::to_string(b.col)});
    }
}

TEST(ChannelCsvImport, RefusesBrokenCsvAndLeavesTheImage) {
    const ModelVariant& v = VariantFor(Model::Wren);
    Image image = ExportableImage(v, 5);
    const Image before = image;
    std::string error;
    EXPECT_FALSE(ImportChannelCsv(v, "CH,\"Rx\r\n", image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(image, before);
}

TEST(ChannelCsvImport, AcceptsEitherLanguageLowerCaseNamesAndLooseSpelling) {
    const ModelVariant& v3 = VariantFor(Model::WrenV3);
    CsvRows rows = FreshRows(v3);
    rows[0] = Strings(9, "ignored");
    rows[2] = {"anything", "145.5", "", "62.5", "None", "高", "未锁定", "No", "ab-1"};
    rows[3] = {"", "145.00000", "145.00000", "无", "D754I", "Middle", "锁定", "有", "Z_9"};
    Image image = MakeDefaultImage(v3);
    std::string error;
    ASSERT_TRUE(ImportChannelCsv(v3, FormatCsv(rows), image, error)) << error;

    using B = std::vector<std::uint8_t>;
    auto bytes = [&](int offset, int n) {
        return B(image.begin() + offset, image.begin() + offset + n);
    };
    const int rec2 = v3.RecordOffset(2);
    EXPECT_EQ(bytes(rec2, 12),
              (B{0x00, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x25, 0x06, 0xFF, 0xFF}));
    EXPECT_EQ(image[rec2 + 12], 0xE3); // High, unlocked, no scan add
    EXPECT_EQ(bytes(v3.NameOffset(2), 8), (B{0x0A, 0x0B, 0x24, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}));
    const int rec3 = v3.RecordOffset(3);
    EXPECT_EQ(bytes(rec3 + 8, 4), (B{0xFF, 0xFF, 0x54, 0xC7}));
    EXPECT_EQ(image[rec3 + 12], 0xDF);
    EXPECT_EQ(bytes(v3.NameOffset(3), 8), (B{35, 38, 9, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    // The names read back upper-cased.
    const Strings exported = Parse(ExportChannelCsv(v3, image, Language::English))[2];
    EXPECT_EQ(exported[8], "AB-1");
}

TEST(ChannelCsvImport, AcceptsLfLinesAndAByteOrderMark) {
    const ModelVariant& lark = VariantFor(Model::Lark);
    CsvRows rows = FreshRows(lark);
    rows[16] = {"16",  "440.00000", "440.01250", "D023N", "D023I",
                "Low", "Yes",       "Carrier",   "Narrow"};
    std::string csv = FormatCsv(rows);
    std::string lf;
    for (char c : csv) {
        if (c != '\r') {
            lf += c;
        }
    }
    const Image start = MakeDefaultImage(lark);
    Image a = start;
    Image b = start;
    std::string error;
    ASSERT_TRUE(ImportChannelCsv(lark, csv, a, error)) << error;
    ASSERT_TRUE(ImportChannelCsv(lark, "\xEF\xBB\xBF" + lf, b, error)) << error;
    EXPECT_EQ(a, b);
    const int rec = lark.RecordOffset(16);
    EXPECT_EQ(a[rec + 3], 0x44);
    EXPECT_EQ(a[rec + 5], 0x12);
    EXPECT_EQ(a[0x17F], 0x80);
}

} // namespace
} // namespace radio
