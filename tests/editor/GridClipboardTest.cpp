#include "GridClipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace radio {
namespace {

const BandLimits kVhf{13600000, 17400000};
using Row = std::vector<std::string>;

std::vector<std::string> RowOf(const CellTable& table, int row) {
    std::vector<std::string> texts;
    for (int c = 1; c < table.Cols(); ++c) {
        texts.push_back(table.TextMatrix(row, c));
    }
    return texts;
}

// Writes the planned rows as the window does.
void Apply(const PastePlan& plan, CellTable& table) {
    for (const PastePlan::RowTexts& row : plan.rows) {
        for (int c = 1; c < table.Cols(); ++c) {
            table.SetTextMatrix(row.row, c, row.texts[static_cast<std::size_t>(c - 1)]);
        }
    }
}

PastePlan Paste(const ModelVariant& v, CellTable& table, int row, int col, std::string_view text,
                Language lang = Language::English) {
    PastePlan plan = PlanPaste(v, kVhf, lang, table, row, col, ParseTabText(text));
    Apply(plan, table);
    return plan;
}

TEST(TabText, LineEndsOfEveryKindAndOneTrailingLineEnd) {
    EXPECT_EQ(ParseTabText("a\tb\r\nc\td\r\n"), (TabRows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ParseTabText("a\tb\nc\td"), (TabRows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ParseTabText("a\t\t\n\tb\n"), (TabRows{{"a", "", ""}, {"", "b"}}));
    // Only the last line end ends a row; an empty line within is a row.
    EXPECT_EQ(ParseTabText("a\n\nb\n"), (TabRows{{"a"}, {""}, {"b"}}));
    EXPECT_EQ(ParseTabText("\n"), (TabRows{{""}}));
    EXPECT_TRUE(ParseTabText("").empty());
    const TabRows rows{{"145.00000", "None"}, {"", "D023N"}};
    EXPECT_EQ(FormatTabText(rows), "145.00000\tNone\n\tD023N\n");
    EXPECT_EQ(ParseTabText(FormatTabText(rows)), rows);
}

TEST(PlanPaste, WholeRowsGoInAsTypedWithNamesUpperCased) {
    const ModelVariant& v = VariantFor(Model::WrenV3);
    CellTable table = MakeChannelTable(v, Language::English);
    const PastePlan plan = Paste(v, table, 2, 1,
                                 "145.5\t146\tNone\t88.5\tLow\tUnlock\tNo\tabc\r\n"
                                 "150.0125\t\tD023N\tNone\tMiddle\tLock\tYes\t\r\n");
    EXPECT_EQ(plan.block, PasteBlock::None);
    EXPECT_TRUE(plan.refusals.empty());
    EXPECT_EQ(RowOf(table, 2),
              (Row{"145.50000", "146.00000", "None", "88.5", "Low", "Unlock", "No", "ABC"}));
    EXPECT_EQ(RowOf(table, 3),
              (Row{"150.01250", "", "D023N", "None", "Middle", "Lock", "Yes", ""}));
}

TEST(PlanPaste, ARxAloneMakesANewChannelWithItsDefaults) {
    const ModelVariant& v = VariantFor(Model::Lark);
    CellTable table = MakeChannelTable(v, Language::English);
    Paste(v, table, 16, 1, "150\n");
    EXPECT_EQ(RowOf(table, 16),
              (Row{"150.00000", "150.00000", "None", "None", "High", "No", "Off", "Wide"}));
}

TEST(PlanPaste, RowsWithARefusedCellStayWholeAndEveryRefusalIsNamed) {
    const ModelVariant& v = VariantFor(Model::Wren);
    CellTable table = MakeChannelTable(v, Language::English);
    Paste(v, table, 3, 1, "140\n");
    const Row before = RowOf(table, 3);
    const PastePlan plan = Paste(v, table, 1, 1,
                                 "145\t145\tNone\tNone\tHigh\tLock\tYes\n"
                                 "440\t145\tNone\tNone\tHuge\tLock\tYes\n"
                                 "146\t146.0025\tNone\tNone\tLow\tLock\tYes\n"
                                 "147\t147\tNone\t88.4\tLow\tLock\tYes\n");
    EXPECT_EQ(plan.block, PasteBlock::None);
    ASSERT_EQ(plan.rows.size(), 1u);
    EXPECT_EQ(plan.rows[0].row, 1);
    EXPECT_EQ(RowOf(table, 1)[0], "145.00000");
    EXPECT_EQ(RowOf(table, 2), Row(7, ""));
    EXPECT_EQ(RowOf(table, 3), before);
    EXPECT_EQ(RowOf(table, 4), Row(7, ""));
    ASSERT_EQ(plan.refusals.size(), 4u);
    // Row 2: the band, then the list; the lost Tx of a refused Rx is not news.
    EXPECT_EQ(plan.refusals[0].row, 2);
    EXPECT_EQ(plan.refusals[0].col, 1);
    EXPECT_EQ(plan.refusals[0].text, "440");
    EXPECT_EQ(plan.refusals[0].reason, PasteReason::OutOfBand);
    EXPECT_EQ(plan.refusals[1].col, 5);
    EXPECT_EQ(plan.refusals[1].reason, PasteReason::NotInList);
    EXPECT_EQ(plan.refusals[2].row, 3);
    EXPECT_EQ(plan.refusals[2].col, 2);
    EXPECT_EQ(plan.refusals[2].reason, PasteReason::OffStep);
    // A tone outside the programmer's list.
    EXPECT_EQ(plan.refusals[3].row, 4);
    EXPECT_EQ(plan.refusals[3].col, 4);
    EXPECT_EQ(plan.refusals[3].reason, PasteReason::NotInList);
}

TEST(PlanPaste, CellsThatTypingWouldLoseAreRefused) {
    const ModelVariant& v = VariantFor(Model::WrenV3);
    CellTable table = MakeChannelTable(v, Language::English);
    Paste(v, table, 5, 1, "150\n");
    // A Tx or settings for a row without a channel; an empty list item in a
    // channel; names a name box could not give.
    const PastePlan plan = Paste(v, table, 3, 1,
                                 "\t145\tNone\n"
                                 "\t\tNone\tNone\tHigh\tLock\tYes\tAB CD\n"
                                 "150\t150\tNone\tNone\t\tLock\tYes\tabcdefg\n");
    const std::vector<std::tuple<int, int, PasteReason>> expected{
        {3, 2, PasteReason::NoChannel},
        {4, 3, PasteReason::NoChannel},
        {4, 8, PasteReason::NameCharacters},
        {5, 5, PasteReason::NotInList},
        {5, 8, PasteReason::NameTooLong}};
    std::vector<std::tuple<int, int, PasteReason>> refused;
    for (const PasteRefusal& r : plan.refusals) {
        refused.emplace_back(r.row, r.col, r.reason);
    }
    EXPECT_EQ(refused, expected);
    EXPECT_TRUE(plan.rows.empty());
    EXPECT_EQ(RowOf(table, 5),
              (Row{"150.00000", "150.00000", "None", "None", "High", "Lock", "Yes", ""}));
}

TEST(PlanPaste, AnEmptyRxClearsTheChannelAsTypingItDoes) {
    const ModelVariant& v = VariantFor(Model::WrenV2);
    CellTable table = MakeChannelTable(v, Language::English);
    Paste(v, table, 4, 1, "150\n");
    const PastePlan plan = Paste(v, table, 4, 1, "\n");
    EXPECT_TRUE(plan.refusals.empty());
    EXPECT_EQ(RowOf(table, 4), Row(7, ""));
}

TEST(PlanPaste, AnUntouchedFrequencyOfAnotherBandIsNotQuestioned) {
    const ModelVariant& v = VariantFor(Model::Wren);
    CellTable table = MakeChannelTable(v, Language::English);
    for (int c = 1; c < v.Cols(); ++c) {
        table.SetTextMatrix(2, c,
                            Row{"440.00000", "440.00000", "None", "None", "High", "Lock",
                                "Yes"}[static_cast<std::size_t>(c - 1)]);
    }
    const PastePlan plan = Paste(v, table, 2, 1, "440.00000\t440.00000\tNone\tNone\tLow\n");
    EXPECT_TRUE(plan.refusals.empty());
    EXPECT_EQ(RowOf(table, 2)[4], "Low");
}

TEST(PlanPaste, ListTextsOfEitherLanguageBecomeTheGridsOwn) {
    const ModelVariant& v = VariantFor(Model::Lark);
    CellTable table = MakeChannelTable(v, Language::Chinese);
    const PastePlan plan =
        Paste(v, table, 1, 1, "145\t145\tNone\t无\tHigh\tNo\tOff\tNarrow\n", Language::Chinese);
    EXPECT_TRUE(plan.refusals.empty());
    EXPECT_EQ(RowOf(table, 1), (Row{"145.00000", "145.00000", "无", "无", "高", "无", "关", "窄"}));
}

TEST(PlanPaste, BlocksThatDoNotFitAreRefusedWhole) {
    const ModelVariant& v = VariantFor(Model::WrenV3); // 200 channel rows, 8 data columns
    CellTable table = MakeChannelTable(v, Language::English);
    const auto block = [&](int row, int col, std::string_view text) {
        const PastePlan plan =
            PlanPaste(v, kVhf, Language::English, table, row, col, ParseTabText(text));
        EXPECT_TRUE(plan.rows.empty() || plan.block == PasteBlock::None);
        return plan.block;
    };
    EXPECT_EQ(block(5, 1, ""), PasteBlock::NothingToPaste);
    EXPECT_EQ(block(0, 1, "145\n"), PasteBlock::FixedRow);
    EXPECT_EQ(block(5, 0, "145\t145\n"), PasteBlock::FixedColumn);
    EXPECT_EQ(block(199, 1, "145\n146\n147\n"), PasteBlock::BeyondLastRow);
    EXPECT_EQ(block(5, 7, "Yes\tA\tB\n"), PasteBlock::BeyondLastColumn);
    // The last rows and the last column take what fits exactly.
    EXPECT_EQ(block(198, 1, "145\n146\n147\n"), PasteBlock::None);
    EXPECT_EQ(block(5, 7, "Yes\tA\n"), PasteBlock::None);
    // At a label, whole channels go in from the first column.
    const PastePlan whole =
        PlanPaste(v, kVhf, Language::English, table, 9, 0,
                  ParseTabText("145\t145\tNone\tNone\tHigh\tLock\tYes\tHOME\n"));
    EXPECT_EQ(whole.block, PasteBlock::None);
    EXPECT_EQ(whole.firstCol, 1);
    ASSERT_EQ(whole.rows.size(), 1u);
    EXPECT_EQ(whole.rows[0].texts.back(), "HOME");
}

TEST(PlanPaste, CopiedRowsPasteBackUnchangedInEveryProgrammer) {
    for (const ModelVariant* v : AllVariants()) {
        SCOPED_TRACE(std::string(v->programName));
        CellTable table = MakeChannelTable(*v, Language::English);
        Paste(*v, table, 1, 1, "145.5\n146.00625\n");
        Paste(*v, table, 2, 3, "D023N\t88.5\tLow\n");
        const TabRows copied = CopyCells(table, 1, 1, 2, v->Cols() - 1);
        const PastePlan plan = PlanPaste(*v, kVhf, Language::English, table, 5, 1,
                                         ParseTabText(FormatTabText(copied)));
        ASSERT_TRUE(plan.refusals.empty());
        Apply(plan, table);
        EXPECT_EQ(RowOf(table, 5), RowOf(table, 1));
        EXPECT_EQ(RowOf(table, 6), RowOf(table, 2));
        EXPECT_EQ(RowOf(table, 6)[2], "D023N");
    }
}

} // namespace
} // namespace radio
