// The image check in the window: after a file is opened, what the product
// cannot hold is listed once and marked in the grid until edited; the
// document stays as the file has it.
#include "GuiTestSupport.h"

#include "ChannelGrid.h"
#include "ChannelRecord.h"
#include "MemoryImage.h"

#include <QTest>

#include <algorithm>

namespace {

using radio::Model;

const radio::ModelVariant& V3() {
    return radio::VariantFor(Model::WrenV3);
}

// A WrenV3 image of the test profile's first product (136-174 MHz) with the
// given channels; the new-channel defaults in their other columns.
radio::Image WithChannels(const std::vector<std::pair<int, std::string>>& rx) {
    const radio::ModelVariant& v = V3();
    radio::Image image = radio::MakeDefaultImage(v);
    radio::CellTable table = radio::MakeChannelTable(v, radio::Language::English);
    radio::ImageToGrid(v, image, table, radio::Language::English);
    const std::vector<std::string> defaults =
        radio::NewChannelDefaults(v, radio::Language::English);
    for (const auto& [row, text] : rx) {
        table.SetTextMatrix(row, 1, text);
        table.SetTextMatrix(row, 2, "145.50000");
        for (std::size_t i = 0; i < defaults.size(); ++i) {
            table.SetTextMatrix(row, 3 + static_cast<int>(i), defaults[i]);
        }
    }
    radio::GridToImage(v, table, image);
    return image;
}

class ImageCheckTest : public ProgrammerTest {
protected:
    std::string Save(const radio::Image& image) {
        std::string path = Path("customer.dat");
        std::string error;
        EXPECT_TRUE(radio::StoreDat(path, image, error)) << error;
        return path;
    }
    void Open(const std::string& path) {
        m_nextFile = path;
        Frame()->OnCommand(cmd::kFileOpen);
    }
    std::size_t Lines(const std::string& text) const {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    }
};

TEST_F(ImageCheckTest, OneNoticeMarksTheCellsAndChangesNothing) {
    radio::Image image = WithChannels({{2, "440.00000"}, {4, "150.00000"}});
    // 1603 MHz as Tx of channel 3: only bytes can hold it.
    const std::uint8_t mhz1603[] = {0x00, 0x00, 0x30, 0xFA};
    std::copy(std::begin(mhz1603), std::end(mhz1603),
              image.begin() + V3().RecordOffset(4) + radio::record::kTxFrequency);
    const std::string path = Save(image);
    ASSERT_TRUE(Start(Model::WrenV3));
    Open(path);

    ASSERT_EQ(m_messages.size(), 1u);
    const std::string& notice = m_messages[0].text;
    EXPECT_EQ(m_messages[0].icon, radio::MessageIcon::Exclamation);
    EXPECT_NE(notice.find("Band: 136 - 174MHz"), std::string::npos) << notice;
    EXPECT_NE(notice.find("Channel 1, Rx Frequency \"440.00000\": outside the band"),
              std::string::npos)
        << notice;
    EXPECT_NE(notice.find("Channel 3, Tx Frequency \"1603.00000\": the bytes decode to no valid "
                          "frequency"),
              std::string::npos)
        << notice;
    EXPECT_EQ(Grid().CellMark(2, 1), "outside the band 136 - 174MHz");
    EXPECT_EQ(Grid().CellMark(4, 2), "the bytes decode to no valid frequency");
    EXPECT_EQ(Grid().item(1, 0)->toolTip().toStdString(), Grid().CellMark(2, 1));
    EXPECT_EQ(Grid().CellMark(2, 2), "");
    EXPECT_EQ(Grid().CellMark(4, 1), "");
    // The grid shows what the file holds, and the document is not changed.
    EXPECT_EQ(Grid().TextMatrix(2, 1), "440.00000");
    EXPECT_EQ(Document()->GetImage(), image);
    EXPECT_FALSE(Document()->IsModified());

    // Editing one cell takes its mark away; the other stays.
    ClickCell(2, 1);
    TypeIntoEditor("145.5");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "145.50000");
    EXPECT_EQ(Grid().CellMark(2, 1), "");
    EXPECT_EQ(Grid().CellMark(4, 2), "the bytes decode to no valid frequency");
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(ImageCheckTest, LongListsAreCutWithTheCountOfTheRest) {
    std::vector<std::pair<int, std::string>> channels;
    for (int row = 2; row <= 21; ++row) {
        channels.emplace_back(row, "440.00000");
    }
    const std::string path = Save(WithChannels(channels));
    ASSERT_TRUE(Start(Model::WrenV3, "Chinese"));
    Open(path);
    ASSERT_EQ(m_messages.size(), 1u);
    const std::string& notice = m_messages[0].text;
    // The heading, the band, an empty line, 15 findings and the rest counted.
    EXPECT_EQ(Lines(notice), 19u) << notice;
    EXPECT_NE(notice.find("……另有 5 项"), std::string::npos) << notice;
    EXPECT_NE(notice.find("信道 1, 接收频率 \"440.00000\""), std::string::npos) << notice;
    for (int row = 2; row <= 21; ++row) {
        EXPECT_NE(Grid().CellMark(row, 1), "") << row;
    }
}

TEST_F(ImageCheckTest, CleanFileAndNewDocumentSayNothingAndAnotherFileClearsTheMarks) {
    const std::string bad = Save(WithChannels({{3, "440.00000"}}));
    ASSERT_TRUE(Start(Model::WrenV3, "English", {QString::fromStdString(bad)}));
    // Opened from the command line too.
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(Grid().CellMark(3, 1), "");

    const std::string good = Path("good.dat");
    std::string error;
    ASSERT_TRUE(radio::StoreDat(good, WithChannels({{3, "150.00000"}}), error)) << error;
    Open(good);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(Grid().CellMark(3, 1), "");
    Frame()->NewDocument();
    EXPECT_EQ(m_messages.size(), 1u);
}

} // namespace
