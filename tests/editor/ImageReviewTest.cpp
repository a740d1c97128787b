// The image check and the image comparison: what each finds, where it puts
// it in the grid, and in which words.
#include "ImageReview.h"

#include "ChannelGrid.h"
#include "ChannelRecord.h"
#include "Options.h"

#include <gtest/gtest.h>

namespace radio {
namespace {

const ProductBand kVhf{{13600000, 17400000}, "136-174MHz"};

// An image whose channel `row` holds `rx` and `tx`, with the new-channel
// defaults in the other columns.
Image WithChannel(const ModelVariant& v, int row, const std::string& rx, const std::string& tx) {
    Image image = MakeDefaultImage(v);
    CellTable table = MakeChannelTable(v, Language::English);
    ImageToGrid(v, image, table, Language::English);
    table.SetTextMatrix(row, 1, rx);
    table.SetTextMatrix(row, 2, tx);
    const std::vector<std::string> defaults = NewChannelDefaults(v, Language::English);
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        table.SetTextMatrix(row, static_cast<int>(i) + 3, defaults[i]);
    }
    GridToImage(v, table, image);
    return image;
}

std::uint8_t* Record(const ModelVariant& v, Image& image, int row) {
    return image.data() + v.RecordOffset(row);
}

int ColumnOf(const ModelVariant& v, ColumnKind kind) {
    for (int c = 1; c < v.Cols(); ++c) {
        if (v.columns[static_cast<std::size_t>(c)].kind == kind) {
            return c;
        }
    }
    return -1;
}

TEST(CheckImage, DefaultsAndGoodChannelsAreClean) {
    for (const ModelVariant* v : AllVariants()) {
        EXPECT_TRUE(CheckImage(*v, MakeDefaultImage(*v), kVhf, Language::English).Clean())
            << v->programName;
        const Image image = WithChannel(*v, 3, "145.50000", "146.00625");
        const ImageCheckReport r = CheckImage(*v, image, kVhf, Language::English);
        EXPECT_TRUE(r.Clean()) << v->programName << ": " << r.Lines(Language::English).front();
    }
}

TEST(CheckImage, ChannelsOutsideTheBandOrOffTheStepsAreFoundWhereTheGridShowsThem) {
    const ModelVariant& v = VariantFor(Model::WrenV3);
    Image image = WithChannel(v, 2, "440.00000", "145.50000");
    // 1603 MHz: what no grid could type, only bytes can hold.
    const std::uint8_t mhz1603[] = {0x00, 0x00, 0x30, 0xFA};
    std::copy(std::begin(mhz1603), std::end(mhz1603), Record(v, image, 2) + record::kTxFrequency);
    const Image other = WithChannel(v, 5, "145.00300", "145.50000");
    std::copy_n(other.begin() + v.RecordOffset(5), record::kSize,
                image.begin() + v.RecordOffset(5));
    const ImageCheckReport r = CheckImage(v, image, kVhf, Language::English);
    ASSERT_EQ(r.cells.size(), 3u);
    EXPECT_EQ(r.cells[0].row, 2);
    EXPECT_EQ(r.cells[0].col, 1);
    EXPECT_EQ(r.cells[0].channel, "1"); // row 1 is "Pr"
    EXPECT_EQ(r.cells[0].column, "Rx Frequency");
    EXPECT_EQ(r.cells[0].text, "440.00000");
    EXPECT_EQ(r.cells[0].reason, "outside the band 136-174MHz");
    EXPECT_EQ(r.cells[1].col, 2);
    EXPECT_EQ(r.cells[1].text, "1603.00000");
    EXPECT_EQ(r.cells[1].reason, "the bytes decode to no valid frequency");
    EXPECT_EQ(r.cells[2].row, 5);
    EXPECT_EQ(r.cells[2].reason, "on neither the 5 kHz nor the 6.25 kHz step");
    EXPECT_EQ(r.Lines(Language::English)[0],
              "Channel 1, Rx Frequency \"440.00000\": outside the band 136-174MHz");

    const ImageCheckReport zh = CheckImage(v, image, kVhf, Language::Chinese);
    EXPECT_EQ(zh.Lines(Language::Chinese)[0],
              "信道 1, 接收频率 \"440.00000\": 超出频段 136-174MHz");
    // A product without a band holds no frequency.
    EXPECT_EQ(CheckImage(v, image, {}, Language::English).cells.size(), 4u);
}

TEST(CheckImage, BytesThatAreNoFrequencyToneOrNameAreFound) {
    const ModelVariant& v = VariantFor(Model::WrenV3);
    Image image = WithChannel(v, 4, "145.50000", "145.50000");
    Record(v, image, 4)[record::kTxFrequency] = 0x0A; // a digit above 9
    const int dec = ColumnOf(v, ColumnKind::DecodeTone);
    const int enc = ColumnOf(v, ColumnKind::EncodeTone);
    // 100.1 Hz: a tone the code can carry but the list does not have.
    Record(v, image, 4)[record::kDecodeTone] = 0x01;
    Record(v, image, 4)[record::kDecodeTone + 1] = 0x10;
    // A tone whose tens digit is no digit.
    Record(v, image, 4)[record::kEncodeTone] = 0x00;
    Record(v, image, 4)[record::kEncodeTone + 1] = 0x0A;
    image[static_cast<std::size_t>(v.NameOffset(4))] = 37; // between '-' and '_'
    const ImageCheckReport r = CheckImage(v, image, kVhf, Language::English);
    ASSERT_EQ(r.cells.size(), 4u) << r.Lines(Language::English).front();
    EXPECT_EQ(r.cells[0].col, 2);
    EXPECT_EQ(r.cells[0].reason, "the bytes decode to no valid frequency");
    EXPECT_EQ(r.cells[1].col, dec);
    EXPECT_EQ(r.cells[1].text, "100.1");
    EXPECT_EQ(r.cells[1].reason, "not in the tone list");
    EXPECT_EQ(r.cells[2].col, enc);
    EXPECT_EQ(r.cells[2].reason, "the bytes decode to no valid tone");
    EXPECT_EQ(v.columns[static_cast<std::size_t>(r.cells[3].col)].kind, ColumnKind::Name);
    EXPECT_NE(r.cells[3].reason.find("outside the alphabet"), std::string::npos);

    // ProgramLark's DCS code with no place in its list.
    const ModelVariant& lark = VariantFor(Model::Lark);
    Image larkImage = WithChannel(lark, 1, "145.50000", "145.50000");
    Record(lark, larkImage, 1)[record::kDecodeTone] = 0x00;
    Record(lark, larkImage, 1)[record::kDecodeTone + 1] = 0x28;
    const ImageCheckReport lr = CheckImage(lark, larkImage, kVhf, Language::English);
    ASSERT_EQ(lr.cells.size(), 1u);
    EXPECT_EQ(lr.cells[0].text, "D000N");
}

TEST(CheckImage, OptionValuesWithoutAChoiceAreFound) {
    for (const ModelVariant* v : AllVariants()) {
        Image image = MakeDefaultImage(*v);
        // The first option with a field value its list has no choice for.
        std::size_t option = v->options.size();
        int value = 0;
        for (std::size_t i = 0; i < v->options.size() && option == v->options.size(); ++i) {
            const OptionField& f = v->Field(v->options[i].field);
            for (int x = 0; x <= f.mask; ++x) {
                Image probe = image;
                auto& b = probe[static_cast<std::size_t>(f.offset)];
                b = static_cast<std::uint8_t>((b & ~(f.mask << f.shift)) | (x << f.shift));
                if (LoadOptions(*v, probe)[i] < 0) {
                    option = i;
                    value = x;
                    image = probe;
                    break;
                }
            }
        }
        ASSERT_LT(option, v->options.size()) << v->programName;
        const ImageCheckReport r = CheckImage(*v, image, kVhf, Language::English);
        ASSERT_EQ(r.options.size(), 1u) << v->programName;
        EXPECT_EQ(r.options[0].option, static_cast<int>(option));
        EXPECT_EQ(r.options[0].value, value);
        EXPECT_EQ(r.Lines(Language::English).back(), std::string(v->options[option].label.en) +
                                                         ": value " + std::to_string(value) +
                                                         " maps to no choice");
    }
}

TEST(DiffImages, EqualImagesSayNothing) {
    for (const ModelVariant* v : AllVariants()) {
        const Image image = WithChannel(*v, 2, "145.50000", "145.50000");
        const ImageDiff d = DiffImages(*v, image, image, Language::English);
        EXPECT_TRUE(d.Equal());
        EXPECT_TRUE(d.Lines(Language::English).empty());
    }
}

TEST(DiffImages, CellsThenOptionsThenOtherBytes) {
    const ModelVariant& v = VariantFor(Model::Wren);
    const Image a = WithChannel(v, 7, "145.50000", "145.50000");
    Image b = WithChannel(v, 7, "146.00000", "145.50000");
    std::vector<int> options = LoadOptions(v, b);
    options[0] = options[0] == 0 ? 1 : 0;
    StoreOptions(v, b, options);
    b[0x1F00] ^= 0x01; // no cell, no option
    b[0x1F0F] ^= 0x01;
    b[0x1F10] ^= 0x01; // the next line joins the range
    b[0x0F80] ^= 0x01;
    const ImageDiff d = DiffImages(v, a, b, Language::English);
    ASSERT_EQ(d.cells.size(), 1u);
    EXPECT_EQ(d.cells[0].row, 7);
    EXPECT_EQ(d.cells[0].col, 1);
    EXPECT_EQ(d.cells[0].a, "145.50000");
    EXPECT_EQ(d.cells[0].b, "146.00000");
    ASSERT_EQ(d.options.size(), 1u);
    EXPECT_EQ(d.options[0].label, std::string(v.options[0].label.en));
    ASSERT_EQ(d.otherBytes.size(), 2u);
    EXPECT_EQ(d.otherBytes[0].first, 0x0F80);
    EXPECT_EQ(d.otherBytes[0].count, 1);
    EXPECT_EQ(d.otherBytes[1].first, 0x1F00);
    EXPECT_EQ(d.otherBytes[1].last, 0x1F1F);
    EXPECT_EQ(d.otherBytes[1].count, 3);
    const std::vector<std::string> lines = d.Lines(Language::English);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Channel 7, Rx Frequency: A \"145.50000\", B \"146.00000\"");
    EXPECT_EQ(lines[3], "Other bytes 0x1F00-0x1F1F: 3 differ");
    EXPECT_EQ(DiffImages(v, a, b, Language::Chinese).Lines(Language::Chinese)[0],
              "信道 7, 接收频率: A \"145.50000\", B \"146.00000\"");
}

TEST(DiffImages, BytesNoCellShowsStillCount) {
    // A blank row's record and an unused flag bit show in no cell.
    const ModelVariant& v = VariantFor(Model::Lark);
    const Image a = MakeDefaultImage(v);
    Image b = a;
    b[static_cast<std::size_t>(v.RecordOffset(9)) +
      static_cast<std::size_t>(record::kDecodeTone)] ^= 0x40;
    const ImageDiff d = DiffImages(v, a, b, Language::English);
    EXPECT_TRUE(d.cells.empty());
    ASSERT_EQ(d.otherBytes.size(), 1u);
    EXPECT_FALSE(d.Equal());
}

} // namespace
} // namespace radio
