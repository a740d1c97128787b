#include "GridClipboard.h"

#include "ChannelName.h"
#include "MessageIds.h"
#include "ToneCode.h"

#include <algorithm>
#include <optional>

namespace radio {

namespace {

// One row of the grid, copied, with a current cell: the commit path runs
// over it exactly as over the window's grid, without touching the grid.
class RowScratch : public IGridCursor {
public:
    RowScratch(const ModelVariant& variant, const IChannelTable& grid, int row)
        : m_row(row), m_rows(variant.Rows()), m_texts(static_cast<std::size_t>(variant.Cols())) {
        for (int c = 1; c < variant.Cols(); ++c) {
            m_texts[static_cast<std::size_t>(c)] = grid.TextMatrix(row, c);
        }
    }

    std::string TextMatrix(int row, int col) const override {
        return row == m_row && InRange(col) ? m_texts[static_cast<std::size_t>(col)]
                                            : std::string();
    }
    void SetTextMatrix(int row, int col, const std::string& text) override {
        if (row == m_row && InRange(col)) {
            m_texts[static_cast<std::size_t>(col)] = text;
        }
    }
    int Row() const override { return m_row; }
    int Col() const override { return m_col; }
    int Rows() const override { return m_rows; }
    int Cols() const override { return static_cast<int>(m_texts.size()); }
    void SetRow(int) override {} // a scratch row never leaves its row
    void SetCol(int col) override { m_col = col; }

    std::vector<std::string> DataTexts() const { return {m_texts.begin() + 1, m_texts.end()}; }

private:
    bool InRange(int col) const { return col >= 1 && col < Cols(); }

    int m_row;
    int m_col = 1;
    int m_rows;
    std::vector<std::string> m_texts;
};

// The pasted text in the role of the cell's editor.
class PastedText : public ICellEditor {
public:
    explicit PastedText(std::string text) : m_text(std::move(text)) {}
    bool IsVisible() const override { return true; }
    std::string Text() const override { return m_text; }
    void Hide() override {}

private:
    std::string m_text;
};

class CautionRecorder : public ICautionSink {
public:
    void ShowCaution(int messageId) override { id = messageId; }
    int id = 0;
};

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// What a list or a name box of the column could have given for `text`, in
// the grid's language; nullopt with the reason when nothing could.
std::optional<std::string> AsTyped(const GridColumn& column, const std::vector<std::string>& tones,
                                   Language lang, const std::string& text, PasteReason& reason) {
    if (text.empty()) {
        return text;
    }
    switch (column.kind) {
    case ColumnKind::RxFrequency:
    case ColumnKind::TxFrequency:
        return text; // the commit checks band and step
    case ColumnKind::Choice: {
        const int item = ChoiceItemIndex(column.choice, text);
        if (item < 0) {
            reason = PasteReason::NotInList;
            return std::nullopt;
        }
        return std::string(column.choice.items[static_cast<std::size_t>(item)].text.In(lang));
    }
    case ColumnKind::DecodeTone:
    case ColumnKind::EncodeTone: {
        if (texts::kNone.Matches(text)) {
            return std::string(texts::kNone.In(lang));
        }
        if (std::find(tones.begin(), tones.end(), text) == tones.end()) {
            reason = PasteReason::NotInList;
            return std::nullopt;
        }
        return text;
    }
    case ColumnKind::Name: {
        std::string upper = text;
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        if (!std::all_of(upper.begin(), upper.end(), IsNameChar)) {
            reason = PasteReason::NameCharacters;
            return std::nullopt;
        }
        const int limit = column.maxChars > 0 ? column.maxChars : kNameBytes;
        if (static_cast<int>(upper.size()) > limit) {
            reason = PasteReason::NameTooLong;
            return std::nullopt;
        }
        return upper;
    }
    }
    return text;
}

} // namespace

TabRows ParseTabText(std::string_view text) {
    TabRows rows;
    std::vector<std::string> row;
    std::string cell;
    bool open = false; // a row has begun
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            row.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row.clear();
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\t') {
            row.push_back(std::move(cell));
            cell.clear();
            open = true;
        } else {
            cell += c;
            open = true;
        }
    }
    if (open) {
        row.push_back(std::move(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string FormatTabText(const TabRows& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out += '\t';
            }
            out += row[c];
        }
        out += '\n';
    }
    return out;
}

TabRows CopyCells(const IChannelTable& grid, int top, int left, int bottom, int right) {
    TabRows rows;
    for (int r = top; r <= bottom; ++r) {
        std::vector<std::string> row;
        for (int c = left; c <= right; ++c) {
            row.push_back(grid.TextMatrix(r, c));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

PastePlan PlanPaste(const ModelVariant& variant, const BandLimits& band, Language lang,
                    const IChannelTable& grid, int row, int col, const TabRows& cells) {
    PastePlan plan;
    std::size_t width = 0;
    for (const auto& r : cells) {
        width = std::max(width, r.size());
    }
    const int height = static_cast<int>(cells.size());
    const int dataCols = variant.Cols() - 1;
    if (height == 0 || width == 0) {
        plan.block = PasteBlock::NothingToPaste;
        return plan;
    }
    if (row < 1) {
        plan.block = PasteBlock::FixedRow;
        return plan;
    }
    if (col < 1) {
        // From a label only whole channels can go in: anything narrower
        // would have no column to start at.
        if (static_cast<int>(width) != dataCols) {
            plan.block = PasteBlock::FixedColumn;
            return plan;
        }
        col = 1;
    }
    plan.firstRow = row;
    plan.firstCol = col;
    if (row + height - 1 > variant.channelRows) {
        plan.block = PasteBlock::BeyondLastRow;
        return plan;
    }
    if (col + static_cast<int>(width) - 1 > dataCols) {
        plan.block = PasteBlock::BeyondLastColumn;
        return plan;
    }

    // The tone lists' items, as the drop-down lists offer them.
    const std::vector<std::string> tones = BuildToneList(variant.toneCode, lang);
    for (int i = 0; i < height; ++i) {
        const int r = row + i;
        RowScratch scratch(variant, grid, r);
        std::vector<PasteRefusal> refused;
        const auto& pasted = cells[static_cast<std::size_t>(i)];
        for (std::size_t j = 0; j < pasted.size(); ++j) {
            const int c = col + static_cast<int>(j);
            const GridColumn& column = variant.columns[static_cast<std::size_t>(c)];
            const std::string text = Trimmed(pasted[j]);
            PasteReason reason = PasteReason::NotInList;
            const std::optional<std::string> typed = AsTyped(column, tones, lang, text, reason);
            if (!typed) {
                refused.push_back({r, c, pasted[j], reason});
                continue;
            }
            scratch.SetCol(c);
            PastedText editor(*typed);
            CautionRecorder caution;
            const EditContext ctx{variant, band, lang, caution};
            if (!CommitCellEditor(scratch, editor, ctx)) {
                refused.push_back(
                    {r, c, pasted[j],
                     caution.id == ids::kOffStep ? PasteReason::OffStep : PasteReason::OutOfBand});
                continue;
            }
            const bool lost = !typed->empty() && scratch.TextMatrix(r, c).empty();
            // A list always gives an item: a channel cannot have an empty one.
            const bool emptyItem = typed->empty() && column.editor == EditorKind::DropList &&
                                   !scratch.TextMatrix(r, 1).empty();
            // After a refusal in the row, a lost setting is its consequence,
            // not news.
            if ((lost && refused.empty()) || emptyItem) {
                refused.push_back(
                    {r, c, pasted[j], lost ? PasteReason::NoChannel : PasteReason::NotInList});
            }
        }
        if (refused.empty()) {
            plan.rows.push_back({r, scratch.DataTexts()});
        } else {
            plan.refusals.insert(plan.refusals.end(), refused.begin(), refused.end());
        }
    }
    return plan;
}

} // namespace radio
