#include "CellEditRules.h"

#include "FrequencyCode.h"
#include "ScaleDecimal.h"

namespace radio {

namespace {

bool OnAChannelStep(std::int32_t count) {
    for (const std::int32_t step : kChannelStepCounts) {
        if (count % step == 0) {
            return true;
        }
    }
    return false;
}

void WriteNewChannel(IGridCursor& grid, const EditContext& ctx, int row, const std::string& rx) {
    grid.SetTextMatrix(row, 1, rx);
    grid.SetTextMatrix(row, 2, rx);
    const std::vector<std::string> defaults = NewChannelDefaults(ctx.variant, ctx.lang);
    for (std::size_t i = 0; i < defaults.size() && static_cast<int>(i) + 3 < grid.Cols(); ++i) {
        grid.SetTextMatrix(row, static_cast<int>(i) + 3, defaults[i]);
    }
}

} // namespace

int FrequencyCheck::MessageId() const {
    switch (verdict) {
    case FrequencyVerdict::OutOfRange:
        return ids::kOutOfRange;
    case FrequencyVerdict::OffStep:
        return ids::kOffStep;
    case FrequencyVerdict::Accepted:
        break;
    }
    return 0;
}

FrequencyCheck CheckFrequency(std::string_view typed, const BandLimits& band) {
    FrequencyCheck check;
    const double value = ParseLeadingNumber(typed);
    const std::optional<std::int32_t> count = ScaleToInt32(value, 100000.0);
    if (!count) {
        check.text = FormatMHz(value);
        check.verdict = FrequencyVerdict::OutOfRange;
        return check;
    }
    check.count = *count;
    // The stored text is the value that was checked: extra decimals are cut
    // as the image conversion cuts them, not rounded up past the band or off
    // the step (470.000009 is 470.00000, not 470.00001).
    check.text = FormatMHz(static_cast<std::int64_t>(*count));
    // The band comes first, then the step; a value the record cannot hold is
    // refused even when the band would let it through.
    if (*count <= 0 || *count > kMaxFrequencyCount || *count < band.lower || *count > band.upper) {
        check.verdict = FrequencyVerdict::OutOfRange;
    } else if (!OnAChannelStep(*count)) {
        check.verdict = FrequencyVerdict::OffStep;
    } else {
        check.verdict = FrequencyVerdict::Accepted;
    }
    return check;
}

void ClearChannel(IGridCursor& grid, int row) {
    for (int c = 1; c < grid.Cols(); ++c) {
        grid.SetTextMatrix(row, c, std::string());
    }
}

int EditorColumnFor(const ModelVariant& variant, int col) {
    if (col >= 1 && col < variant.Cols()) {
        return col;
    }
    return variant.fallbackEditorColumn;
}

bool CommitCellEditor(IGridCursor& grid, ICellEditor& editor, const EditContext& ctx) {
    if (!editor.IsVisible()) {
        return true;
    }
    const int row = grid.Row();
    const int col = grid.Col();
    const std::string rx0 = grid.TextMatrix(row, 1);
    const std::string tx0 = grid.TextMatrix(row, 2);
    const std::string typed = editor.Text();
    bool accepted = true;

    if ((col == 1 || col == 2) && typed == grid.TextMatrix(row, col)) {
        // Untouched: passing through a channel (the Enter walk goes through
        // column 1) must not question a frequency the user did not type,
        // say one read from a radio of another band.
        editor.Hide();
        return true;
    }
    if (col == 1 || col == 2) {
        if (typed.empty()) {
            // Emptying Rx deletes the channel; emptying Tx only the Tx cell.
            if (col == 1) {
                ClearChannel(grid, row);
            } else {
                grid.SetTextMatrix(row, 2, std::string());
            }
        } else {
            const FrequencyCheck check = CheckFrequency(typed, ctx.band);
            if (!check.Accepted()) {
                // The cell keeps what it had: a slip of the keyboard must
                // not cost the channel its other settings.
                ctx.messages.ShowCaution(check.MessageId());
                accepted = false;
            } else if (col == 1) {
                if (rx0.empty()) {
                    WriteNewChannel(grid, ctx, row, check.text);
                } else {
                    grid.SetTextMatrix(row, 1, check.text);
                }
            } else {
                // A transmit frequency needs a receive frequency.
                grid.SetTextMatrix(row, 2, rx0.empty() ? std::string() : check.text);
            }
        }
    } else {
        // An empty channel row keeps no settings.
        grid.SetTextMatrix(row, col, rx0.empty() && tx0.empty() ? std::string() : typed);
    }
    editor.Hide();
    return accepted;
}

EnterOutcome HandleEnterKey(IGridCursor& grid, ICellEditor& editor, const EditContext& ctx) {
    if (editor.IsVisible() && !CommitCellEditor(grid, editor, ctx)) {
        return EnterOutcome::Stopped;
    }
    MoveToNextCell(grid);
    return EnterOutcome::Moved;
}

void MoveToNextCell(IGridCursor& grid) {
    if (grid.Col() < grid.Cols() - 1) {
        grid.SetCol(grid.Col() + 1);
    } else if (grid.Row() < grid.Rows() - 1) {
        grid.SetCol(1);
        grid.SetRow(grid.Row() + 1);
    } else {
        grid.SetRow(1);
        grid.SetCol(1);
    }
}

} // namespace radio
