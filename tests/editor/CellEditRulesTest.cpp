#include "CellEditRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace radio {
namespace {

const BandLimits kVhf{13600000, 17400000};

// A table with a current cell, recording the moves in order.
class FakeGrid : public IGridCursor {
public:
    explicit FakeGrid(const ModelVariant& v) : m_table(v.Rows(), v.Cols()) {}
    std::string TextMatrix(int r, int c) const override { return m_table.TextMatrix(r, c); }
    void SetTextMatrix(int r, int c, const std::string& t) override {
        m_table.SetTextMatrix(r, c, t);
    }
    int Row() const override { return m_row; }
    int Col() const override { return m_col; }
    int Rows() const override { return m_table.Rows(); }
    int Cols() const override { return m_table.Cols(); }
    void SetRow(int row) override { m_row = row; }
    void SetCol(int col) override { m_col = col; }
    void Go(int row, int col) { m_row = row, m_col = col; }
    std::vector<std::string> RowTexts(int r) const {
        std::vector<std::string> texts;
        for (int c = 1; c < Cols(); ++c) {
            texts.push_back(TextMatrix(r, c));
        }
        return texts;
    }

private:
    CellTable m_table;
    int m_row = 1;
    int m_col = 1;
};

class FakeEditor : public ICellEditor {
public:
    bool IsVisible() const override { return visible; }
    std::string Text() const override { return text; }
    void Hide() override { visible = false; }
    void Type(std::string t) { text = std::move(t), visible = true; }
    bool visible = false;
    std::string text;
};

class Messages : public ICautionSink {
public:
    void ShowCaution(int id) override { shown.push_back(id); }
    std::vector<int> shown;
};

TEST(CheckFrequency, BandEdgesAreInclusiveAndTestedBeforeTheStep) {
    EXPECT_TRUE(CheckFrequency("136", kVhf).Accepted());
    EXPECT_EQ(CheckFrequency("136", kVhf).text, "136.00000");
    EXPECT_TRUE(CheckFrequency("174", kVhf).Accepted());
    EXPECT_EQ(CheckFrequency("174.00001", kVhf).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(CheckFrequency("135.99999", kVhf).verdict, FrequencyVerdict::OutOfRange);
    // Off step and out of band: the band wins.
    EXPECT_EQ(CheckFrequency("180.0025", kVhf).MessageId(), ids::kOutOfRange);
}

TEST(CheckFrequency, AcceptsBothStepGridsExactly) {
    EXPECT_TRUE(CheckFrequency("145.00625", kVhf).Accepted());
    EXPECT_TRUE(CheckFrequency("145.005", kVhf).Accepted());
    const FrequencyCheck check = CheckFrequency("145.0125", kVhf);
    EXPECT_TRUE(check.Accepted());
    EXPECT_EQ(check.count, 14501250);
    EXPECT_EQ(check.text, "145.01250");
    EXPECT_EQ(CheckFrequency("145.0025", kVhf).verdict, FrequencyVerdict::OffStep);
    EXPECT_EQ(CheckFrequency("145.0025", kVhf).MessageId(), ids::kOffStep);
}

TEST(CheckFrequency, ReadsTheLeadingNumberOnly) {
    EXPECT_EQ(CheckFrequency("145.5abc", kVhf).text, "145.50000");
    EXPECT_TRUE(CheckFrequency("  145.5abc", kVhf).Accepted());
    EXPECT_EQ(CheckFrequency("abc", kVhf).MessageId(), ids::kOutOfRange);
}

TEST(CheckFrequency, RefusesWhatARecordCannotHoldWhateverTheBand) {
    const BandLimits wide{0, 2000000000};
    EXPECT_EQ(CheckFrequency("1000", wide).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(CheckFrequency("abc", wide).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(CheckFrequency("0", {0, 0}).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(CheckFrequency("1e30", wide).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_TRUE(CheckFrequency("999.995", wide).Accepted());
}

TEST(CheckFrequency, StoresTheCheckedValueWithExtraDecimalsCut) {
    // Rounding the text would store 470.00001: above the band and off step.
    const BandLimits uhf{40000000, 47000000};
    const FrequencyCheck top = CheckFrequency("470.000009", uhf);
    EXPECT_TRUE(top.Accepted());
    EXPECT_EQ(top.text, "470.00000");
    EXPECT_EQ(top.count, 47000000);
    EXPECT_EQ(CheckFrequency("145.0000099", kVhf).text, "145.00000");
}

struct Fixture {
    explicit Fixture(Model model, Language lang = Language::English)
        : variant(VariantFor(model)), grid(variant), ctx{variant, kVhf, lang, messages} {}
    const ModelVariant& variant;
    FakeGrid grid;
    FakeEditor editor;
    Messages messages;
    EditContext ctx;

    bool Commit(int row, int col, std::string typed) {
        grid.Go(row, col);
        editor.Type(std::move(typed));
        return CommitCellEditor(grid, editor, ctx);
    }
};

using Row = std::vector<std::string>;

TEST(CommitCellEditor, NewChannelGetsTheDefaultsOfItsProgrammerAndLanguage) {
    struct Case {
        Model model;
        Language lang;
        Row row;
    };
    const std::vector<Case> cases = {
        {Model::Lark,
         Language::English,
         {"145.50000", "145.50000", "None", "None", "High", "No", "Off", "Wide"}},
        {Model::Lark,
         Language::Chinese,
         {"145.50000", "145.50000", "无", "无", "高", "无", "关", "宽"}},
        {Model::WrenV3,
         Language::English,
         {"145.50000", "145.50000", "None", "None", "High", "Lock", "Yes", ""}},
        {Model::WrenV3,
         Language::Chinese,
         {"145.50000", "145.50000", "无", "无", "高", "锁定", "有", ""}},
        {Model::Wren,
         Language::English,
         {"145.50000", "145.50000", "None", "None", "High", "Lock", "Yes"}},
        {Model::WrenV2,
         Language::Chinese,
         {"145.50000", "145.50000", "无", "无", "高", "锁定", "有"}},
    };
    for (const Case& c : cases) {
        Fixture f(c.model, c.lang);
        EXPECT_TRUE(f.Commit(3, 1, "145.5"));
        EXPECT_EQ(f.grid.RowTexts(3), c.row) << f.variant.programName;
        EXPECT_FALSE(f.editor.visible);
        EXPECT_TRUE(f.messages.shown.empty());
    }
}

TEST(CommitCellEditor, ChangingAnExistingRxLeavesTheRestOfTheRow) {
    Fixture f(Model::WrenV3);
    f.Commit(2, 1, "145.5");
    f.grid.SetTextMatrix(2, 8, "HOME");
    f.Commit(2, 1, "146.0125");
    EXPECT_EQ(f.grid.RowTexts(2),
              (Row{"146.01250", "145.50000", "None", "None", "High", "Lock", "Yes", "HOME"}));
}

TEST(CommitCellEditor, EmptyRxDeletesTheWholeChannel) {
    Fixture f(Model::Lark);
    f.Commit(16, 1, "150");
    f.Commit(16, 1, "");
    EXPECT_EQ(f.grid.RowTexts(16), Row(8, ""));
}

TEST(CommitCellEditor, RefusedFrequencyPutsBackWhatTheCellHad) {
    for (int col : {1, 2}) {
        for (const char* typed : {"145.0025", "300", "abc"}) {
            Fixture f(Model::WrenV3);
            f.Commit(5, 1, "145.5");
            f.grid.SetTextMatrix(5, 8, "RPT");
            const Row before = f.grid.RowTexts(5);
            EXPECT_FALSE(f.Commit(5, col, typed));
            EXPECT_EQ(f.grid.RowTexts(5), before) << col << " " << typed;
            ASSERT_EQ(f.messages.shown.size(), 1u);
            EXPECT_EQ(f.messages.shown[0],
                      std::string(typed) == "145.0025" ? ids::kOffStep : ids::kOutOfRange);
            EXPECT_FALSE(f.editor.visible);
        }
    }
}

TEST(CommitCellEditor, UntouchedFrequencyIsNotQuestionedAgain) {
    // A channel outside the chosen band, say read from another radio: the
    // Enter walk passes through its Rx cell without a message.
    Fixture f(Model::Lark);
    f.grid.SetTextMatrix(4, 1, "446.00625");
    f.grid.SetTextMatrix(4, 2, "446.00625");
    EXPECT_TRUE(f.Commit(4, 1, "446.00625"));
    EXPECT_TRUE(f.Commit(4, 2, "446.00625"));
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_FALSE(f.editor.visible);
    EXPECT_EQ(f.grid.TextMatrix(4, 1), "446.00625");
    // Typed again, the same value is checked.
    EXPECT_FALSE(f.Commit(4, 1, "446.00625 "));
    EXPECT_EQ(f.messages.shown, std::vector<int>{ids::kOutOfRange});
}

TEST(CommitCellEditor, EmptyRowStaysEmpty) {
    Fixture f(Model::Wren);
    EXPECT_FALSE(f.Commit(7, 1, "99"));
    EXPECT_TRUE(f.Commit(7, 2, "145.5")); // Tx without Rx is dropped silently
    EXPECT_TRUE(f.Commit(7, 5, "Low"));   // so is a list value
    EXPECT_EQ(f.grid.RowTexts(7), Row(7, ""));
    EXPECT_EQ(f.messages.shown, std::vector<int>{ids::kOutOfRange});
}

TEST(CommitCellEditor, TxAndListsOfAnExistingChannel) {
    Fixture f(Model::Lark);
    f.Commit(1, 1, "145.5");
    f.Commit(1, 2, "146.00625");
    f.Commit(1, 5, "Low");
    EXPECT_EQ(f.grid.TextMatrix(1, 2), "146.00625");
    EXPECT_EQ(f.grid.TextMatrix(1, 5), "Low");
    f.Commit(1, 2, "");
    EXPECT_EQ(f.grid.TextMatrix(1, 2), "");
    EXPECT_EQ(f.grid.TextMatrix(1, 1), "145.50000");
}

TEST(CommitCellEditor, HiddenEditorCommitsNothing) {
    Fixture f(Model::Lark);
    f.grid.Go(1, 1);
    f.editor.text = "145.5";
    EXPECT_TRUE(CommitCellEditor(f.grid, f.editor, f.ctx));
    EXPECT_EQ(f.grid.TextMatrix(1, 1), "");
}

TEST(HandleEnterKey, WalksRowByRowAndWrapsToTheFirstCell) {
    Fixture f(Model::Wren); // 200 rows, 8 columns
    f.grid.Go(4, 7);
    EXPECT_EQ(HandleEnterKey(f.grid, f.editor, f.ctx), EnterOutcome::Moved);
    EXPECT_EQ(f.grid.Row(), 5);
    EXPECT_EQ(f.grid.Col(), 1);
    f.grid.Go(199, 7);
    HandleEnterKey(f.grid, f.editor, f.ctx);
    EXPECT_EQ(f.grid.Row(), 1);
    EXPECT_EQ(f.grid.Col(), 1);
    f.grid.Go(3, 2);
    HandleEnterKey(f.grid, f.editor, f.ctx);
    EXPECT_EQ(f.grid.Col(), 3);
}

TEST(HandleEnterKey, CommitsThenMovesAndStopsOnARefusal) {
    Fixture f(Model::Lark);
    f.grid.Go(2, 1);
    f.editor.Type("150");
    EXPECT_EQ(HandleEnterKey(f.grid, f.editor, f.ctx), EnterOutcome::Moved);
    EXPECT_EQ(f.grid.TextMatrix(2, 2), "150.00000");
    EXPECT_EQ(f.grid.Col(), 2);
    f.editor.Type("150.0001");
    EXPECT_EQ(HandleEnterKey(f.grid, f.editor, f.ctx), EnterOutcome::Stopped);
    EXPECT_EQ(f.grid.Row(), 2);
    EXPECT_EQ(f.grid.Col(), 2);
    EXPECT_EQ(f.grid.TextMatrix(2, 2), "150.00000");
    EXPECT_FALSE(f.editor.visible);
}

TEST(EditorColumnFor, FallsBackPerFamily) {
    EXPECT_EQ(EditorColumnFor(VariantFor(Model::Lark), 0), 8);
    EXPECT_EQ(EditorColumnFor(VariantFor(Model::Lark), 3), 3);
    EXPECT_EQ(EditorColumnFor(VariantFor(Model::WrenV3), 9), 1);
    EXPECT_EQ(EditorColumnFor(VariantFor(Model::Wren), 7), 7);
    EXPECT_EQ(EditorColumnFor(VariantFor(Model::Wren), 8), 1);
}

} // namespace
} // namespace radio
