// The printed report's layout, recorded through a surface with fixed font
// metrics: which pages there are, what each shows and where.
#include "ChannelReport.h"

#include "ChannelGrid.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace radio;

struct DrawnText {
    int x;
    int y;
    std::string text;
};

// Records what a page draws. A font's text height is 115 % of its character
// height and its external leading 5 %, roughly what serif faces give.
class RecordingSurface : public IPrintSurface {
public:
    void SelectFont(const PrintFont& font) override {
        fonts.push_back(font);
        m_font = font;
    }
    PrintTextMetrics TextMetrics() const override {
        const int h = std::abs(m_font.height);
        return {h * 115 / 100, h * 5 / 100};
    }
    void Line(int x1, int y1, int x2, int y2) override {
        EXPECT_EQ(y1, y2);
        lines.push_back({x1, y1, x2});
    }
    void Text(int x, int y, std::string_view text) override {
        texts.push_back({x, y, std::string(text)});
    }

    std::vector<PrintFont> fonts;
    std::vector<std::array<int, 3>> lines; // x1, y, x2
    std::vector<DrawnText> texts;

    const DrawnText* Find(const std::string& text) const {
        for (const DrawnText& t : texts) {
            if (t.text == text) {
                return &t;
            }
        }
        return nullptr;
    }
    // The numbers of the "Channel %d:" (or Chinese) headings, in order.
    std::vector<int> Channels() const {
        std::vector<int> numbers;
        static const std::regex heading("^(Channel |信道)(-?[0-9]+):$");
        for (const DrawnText& t : texts) {
            std::smatch m;
            if (std::regex_match(t.text, m, heading)) {
                numbers.push_back(std::stoi(m[2]));
            }
        }
        return numbers;
    }

private:
    PrintFont m_font;
};

// A4 at 600 dpi, as a printer with quarter-inch margins reports it.
constexpr PrintableArea kA4{0, 0, 4660, 6716, 600, 600};

class ChannelReportTest : public ::testing::Test {
protected:
    void Use(Model model, Language lang = Language::English) {
        m_variant = &VariantFor(model);
        m_lang = lang;
        m_image = MakeDefaultImage(*m_variant);
        m_grid = MakeChannelTable(*m_variant, lang);
        ImageToGrid(*m_variant, m_image, m_grid, lang);
        m_report.emplace(*m_variant, m_grid, m_image, lang, "Owner Ltd");
    }
    void Fill(std::initializer_list<int> rows) {
        for (const int r : rows) {
            m_grid.SetTextMatrix(r, 1, "146.52000");
            m_grid.SetTextMatrix(r, 2, "146.52000");
        }
    }
    void FillAll() {
        for (int r = 1; r <= m_variant->channelRows; ++r) {
            Fill({r});
        }
    }
    RecordingSurface Page(int page) {
        RecordingSurface surface;
        m_report->OnPrint(surface, kA4, page, m_report->PageCount());
        return surface;
    }
    std::vector<std::vector<int>> ChannelsByPage() {
        std::vector<std::vector<int>> pages;
        const int count = m_report->PageCount();
        for (int p = 2; p <= count; ++p) {
            pages.push_back(Page(p).Channels());
        }
        return pages;
    }

    const ModelVariant* m_variant = nullptr;
    Language m_lang = Language::English;
    Image m_image;
    CellTable m_grid{1, 1};
    std::optional<CChannelReport> m_report;
};

TEST_F(ChannelReportTest, MeasuresComeFromThePrintableAreaWithItsTruncations) {
    const PageMeasures m = PageMeasures::Of(kA4);
    EXPECT_EQ(m.cw, 4660 * 1440 / 600 / 66);   // 169
    EXPECT_EQ(m.H, -(6716 * 1440 / 600 / 45)); // -358
    // Truncated step by step: 1000 * 1440 / 600 = 2400; / 66 = 36.
    EXPECT_EQ(PageMeasures::Of({0, 0, 1000, 1000, 600, 600}).cw, 36);
    EXPECT_EQ(PageMeasures::Of({0, 0, 1000, 1000, 0, 0}).cw, 0);

    Use(Model::Lark);
    RecordingSurface page = Page(1);
    ASSERT_GE(page.fonts.size(), 2u);
    EXPECT_EQ(page.fonts[0], (PrintFont{"Times New Roman", m.H, m.cw, 400}));
    EXPECT_EQ(page.fonts.back(), (PrintFont{"Times New Roman", static_cast<int>(m.H * 0.8),
                                            static_cast<int>(m.cw * 0.8), 400}));
    // L = 358 * 1.15 + 358 * 0.05.
    const int L = 411 + 17;
    ASSERT_EQ(page.lines.size(), 3u);
    for (const auto& line : page.lines) {
        EXPECT_EQ(line[0], 5 * m.cw);
        EXPECT_EQ(line[2], 60 * m.cw);
    }
    EXPECT_EQ(page.lines[0][1], -(2 * L + 50));
    EXPECT_EQ(page.lines[1][1], -(2 * L + 120));
    EXPECT_EQ(page.lines[2][1], L / 2 - 36 * L);
    const DrawnText* footer = page.Find("Page 1 of 1");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->x, 45 * m.cw);
    EXPECT_EQ(footer->y, -36 * L);
    const DrawnText* owner = page.Find("Owner Ltd");
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(owner->x, 10 * m.cw);
}

TEST_F(ChannelReportTest, PagesHoldSevenUsedChannelsEachAndSkipEmptyRows) {
    Use(Model::Lark);
    EXPECT_EQ(m_report->PageCount(), 1); // no used channel: the options page only
    EXPECT_TRUE(m_report->m_pageEnd == (std::vector<int>{0, 16, 16, 16}));

    FillAll();
    EXPECT_EQ(m_report->PageCount(), 4);
    EXPECT_EQ(ChannelsByPage(), (std::vector<std::vector<int>>{
                                    {1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}, {15, 16}}));
    EXPECT_NE(Page(4).Find("Page 4 of 4"), nullptr);

    m_grid.SetTextMatrix(9, 1, "");
    EXPECT_EQ(m_report->PageCount(), 4);
    EXPECT_EQ(m_report->m_nUsedChannels, 15);
    EXPECT_EQ(ChannelsByPage(), (std::vector<std::vector<int>>{
                                    {1, 2, 3, 4, 5, 6, 7}, {8, 10, 11, 12, 13, 14, 15}, {16}}));
}

TEST_F(ChannelReportTest, PagesAreCountedAfreshWhenChannelsGoBetweenPrints) {
    Use(Model::WrenV2);
    FillAll();
    EXPECT_EQ(m_report->PageCount(), 30); // 29 channel pages and the options page
    for (int r = 3; r <= 190; ++r) {
        m_grid.SetTextMatrix(r, 1, "");
    }
    std::vector<int> printed;
    for (const std::vector<int>& page : ChannelsByPage()) {
        printed.insert(printed.end(), page.begin(), page.end());
    }
    std::vector<int> expected{1, 2};
    for (int r = 191; r <= 199; ++r) {
        expected.push_back(r);
    }
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(m_report->PageCount(), 3);
}

TEST_F(ChannelReportTest, ProgramWrenV3NumbersThePrRowZero) {
    Use(Model::WrenV3);
    Fill({1, 200});
    m_grid.SetTextMatrix(200, 8, "LAST");
    ASSERT_EQ(m_report->PageCount(), 2);
    RecordingSurface page = Page(2);
    EXPECT_EQ(page.Channels(), (std::vector<int>{0, 199}));
    EXPECT_NE(page.Find("LAST"), nullptr);
    EXPECT_NE(page.Find("Channel Name:"), nullptr);
    EXPECT_EQ(page.Find("Scan:"), nullptr);
}

TEST_F(ChannelReportTest, BlocksSitWhereTheyShouldAndTheSeventhStaysAboveTheFooter) {
    Use(Model::Lark);
    FillAll();
    m_grid.SetTextMatrix(7, 8, "Narrow");
    RecordingSurface page = Page(2);
    const PageMeasures m = PageMeasures::Of(kA4);
    const int l = 286 * 115 / 100 + 286 * 5 / 100; // body font: 358 * 0.8 = 286
    const int y0 = static_cast<int>(std::trunc(6 * l * 5.7));
    const DrawnText* heading = page.Find("Channel 7:");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->x, 4 * m.cw);
    EXPECT_EQ(heading->y, -y0 - 4 * l);
    const DrawnText* narrow = page.Find("Narrow");
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(narrow->x, 55 * m.cw);
    EXPECT_EQ(narrow->y, -y0 - 8 * l);
    const int footerRule = page.lines[2][1];
    for (const DrawnText& t : page.texts) {
        if (t.text.rfind("Page ", 0) != 0 && t.text != "Owner Ltd") {
            EXPECT_GT(t.y, footerRule) << t.text;
        }
    }
    // Labels of both halves at their columns.
    std::vector<int> labelColumns;
    for (const char* label :
         {"Receive Frequency:", "Transceive Frequency:", "Channel Lock:", "W/N:", "Scan:"}) {
        const DrawnText* t = page.Find(label);
        ASSERT_NE(t, nullptr) << label;
        labelColumns.push_back(t->x / m.cw);
    }
    EXPECT_EQ(labelColumns, (std::vector<int>{5, 36, 5, 36, 36}));
}

TEST_F(ChannelReportTest, OptionsPageListsEveryProgrammersLinesFromTheImage) {
    for (const ModelVariant* variant : AllVariants()) {
        Use(variant->model);
        RecordingSurface page = Page(1);
        EXPECT_NE(page.Find("Option"), nullptr);
        EXPECT_NE(page.Find("Function"), nullptr);
        const PageMeasures m = PageMeasures::Of(kA4);
        int labels = 0;
        for (const DrawnText& t : page.texts) {
            labels += t.x == 9 * m.cw ? 1 : 0;
        }
        EXPECT_EQ(labels, static_cast<int>(variant->printLines.size())) << variant->programName;
    }

    Use(Model::WrenV3);
    m_image[0x1FE0] = 2;
    m_image[0x1FE5] = 9;
    RecordingSurface page = Page(1);
    EXPECT_NE(page.Find("6.5k"), nullptr);
    EXPECT_NE(page.Find("1750"), nullptr);
    const DrawnText* step = page.Find("Step:");
    ASSERT_NE(step, nullptr);
    const DrawnText* value = page.Find("6.5k");
    EXPECT_EQ(value->y, step->y);
    EXPECT_EQ(value->x, 35 * PageMeasures::Of(kA4).cw);
}

TEST_F(ChannelReportTest, ChineseReportUsesChineseLabels) {
    Use(Model::Lark, Language::Chinese);
    Fill({3});
    EXPECT_NE(Page(1).Find("可选功能"), nullptr);
    EXPECT_NE(Page(1).Find("超时定时器:"), nullptr);
    RecordingSurface page = Page(2);
    EXPECT_NE(page.Find("信道"), nullptr);
    EXPECT_NE(page.Find("信道3:"), nullptr);
    EXPECT_NE(page.Find("接收频率:"), nullptr);
    EXPECT_NE(page.Find("宽/窄:"), nullptr);
    EXPECT_NE(page.Find("Page 2 of 2"), nullptr);
}

} // namespace
