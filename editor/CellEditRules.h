// The rules of in-place cell editing, kept free of windows.
//
// The channel view shows one editor over the current cell; these functions
// decide what its text does to the grid when the cell is left or Enter is
// pressed: the frequency check against the band and the two step grids, the
// new-channel defaults, row deletion and the Enter walk. They work over small
// interfaces so that the same code runs over the real grid and over a plain
// table in the tests.
#pragma once

#include "BandLimits.h"
#include "ChannelGrid.h"
#include "MessageIds.h"
#include "Texts.h"
#include "Variant.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace radio {

enum class FrequencyVerdict { Accepted, OutOfRange, OffStep };

struct FrequencyCheck {
    FrequencyVerdict verdict = FrequencyVerdict::OutOfRange;
    std::string text;       // "%3.5f" of the typed value: what the cell stores
    std::int32_t count = 0; // the value in counts of 10 Hz (0 when it does not fit)

    bool Accepted() const { return verdict == FrequencyVerdict::Accepted; }
    // The message of a refusal (61448 or 61456); 0 when accepted.
    int MessageId() const;
};

// Checks a non-empty typed frequency. A value that cannot be stored (zero or
// less, 1000 MHz or more) is out of range whatever the band says.
FrequencyCheck CheckFrequency(std::string_view typed, const BandLimits& band);

// The grid as the rules see it: cell texts (row 0 headings, column 0 labels)
// and a current cell. Setting Row or Col moves the current cell; a window
// grid raises its leave and enter notifications then.
class IGridCursor : public IChannelTable {
public:
    virtual int Row() const = 0;
    virtual int Col() const = 0;
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual void SetRow(int row) = 0;
    virtual void SetCol(int col) = 0;
};

// The editor of the current column.
class ICellEditor {
public:
    virtual ~ICellEditor() = default;
    virtual bool IsVisible() const = 0;
    // An edit box's text, or a drop-down list's selected item.
    virtual std::string Text() const = 0;
    virtual void Hide() = 0;
};

// Shows a refusal to the user (caption "Caution", exclamation icon, OK).
class ICautionSink {
public:
    virtual ~ICautionSink() = default;
    virtual void ShowCaution(int messageId) = 0;
};

struct EditContext {
    const ModelVariant& variant;
    BandLimits band;
    Language lang; // of the grid texts (new-channel defaults)
    ICautionSink& messages;
};

// The column whose editor serves column `col`: the column itself for a data
// column; ProgramLark falls back to its last list, the Wren family to Rx.
int EditorColumnFor(const ModelVariant& variant, int col);

// Empties every data cell of a row: the channel is deleted (as emptying its
// Rx Frequency does).
void ClearChannel(IGridCursor& grid, int row);

// Commits a visible editor into the current cell and hides it. A refused
// frequency shows its message and leaves the cell (and its row) as it was.
// Returns false when a frequency was refused; a hidden editor commits
// nothing and returns true.
bool CommitCellEditor(IGridCursor& grid, ICellEditor& editor, const EditContext& ctx);

enum class EnterOutcome { Moved, Stopped };

// Enter: commits a visible editor and moves to the next cell; after a
// refusal the current cell stays where it is.
EnterOutcome HandleEnterKey(IGridCursor& grid, ICellEditor& editor, const EditContext& ctx);

// The Enter walk: next column, then the first data column of the next row,
// and from the last cell back to row 1, column 1.
void MoveToNextCell(IGridCursor& grid);

} // namespace radio
