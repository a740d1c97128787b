// The channel grid's clipboard without windows: cells as tab-separated text
// (what spreadsheets exchange) and the plan of a paste.
//
// A paste is planned over the grid's texts before anything is written: each
// pasted cell goes through the cell edit rules as if it were typed into its
// cell, and a row with a refused cell is left out whole, so that no channel
// ends up half pasted. The window writes the planned rows and shows the
// refusals in one message.
#pragma once

#include "BandLimits.h"
#include "CellEditRules.h"
#include "ChannelGrid.h"
#include "Texts.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace radio {

using TabRows = std::vector<std::vector<std::string>>;

// Tab-separated text: LF or CRLF line ends; one line end at the end of the
// text ends the last row rather than starting an empty one. Empty text has
// no rows.
TabRows ParseTabText(std::string_view text);

// Cells as tab-separated text, each row ended by a line end (as
// spreadsheets put it on the clipboard).
std::string FormatTabText(const TabRows& rows);

// The texts of rows top..bottom, columns left..right (grid numbering).
TabRows CopyCells(const IChannelTable& grid, int top, int left, int bottom, int right);

// Why a pasted cell was refused.
enum class PasteReason {
    OutOfBand,      // a frequency outside the band or one a channel cannot hold
    OffStep,        // a frequency on neither channel step
    NotInList,      // not an item of the column's list
    NameCharacters, // a name with a character names cannot have
    NameTooLong,    // a name longer than the column lets one type
    NoChannel,      // a setting or Tx Frequency for a row without Rx Frequency
};

struct PasteRefusal {
    int row = 0; // grid row and column of the cell
    int col = 0;
    std::string text; // as pasted
    PasteReason reason = PasteReason::OutOfBand;
};

// Why nothing at all was pasted.
enum class PasteBlock {
    None,
    NothingToPaste,   // the text holds no cell
    FixedRow,         // the paste would start in the headings
    FixedColumn,      // at channel labels (whole rows), with less than whole channels
    BeyondLastRow,    // more rows than the table has from the start row down
    BeyondLastColumn, // more columns than the table has from the start column on
};

struct PastePlan {
    PasteBlock block = PasteBlock::None;
    int firstRow = 0; // where the block lands (a label start means column 1)
    int firstCol = 0;
    // The rows that are pasted: their data cells (columns 1..Cols-1) after
    // the paste.
    struct RowTexts {
        int row = 0;
        std::vector<std::string> texts;
    };
    std::vector<RowTexts> rows;
    std::vector<PasteRefusal> refusals; // by row, then column
};

// Plans pasting `cells` with its top-left cell at (row, col) of `grid`, a
// table of `variant`'s size showing texts in `lang`. Column 0 stands for a
// selection of whole channels: their labels were chosen rather than a cell,
// and the text must then hold whole channels.
PastePlan PlanPaste(const ModelVariant& variant, const BandLimits& band, Language lang,
                    const IChannelTable& grid, int row, int col, const TabRows& cells);

} // namespace radio
