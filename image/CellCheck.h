// Strict checks of cell texts that come from outside the grid's own editors
// (an imported table): a text passes only if the grid could hold it and
// GridToImage stores what it says.
#pragma once

#include "Variant.h"

#include <optional>
#include <string>
#include <string_view>

namespace radio {

struct CellCheck {
    bool ok = false;
    std::string text;   // the text to store (names upper-cased)
    std::string reason; // why it was refused
};

// Checks the text of a channel cell of column `col` (1..Cols-1).
CellCheck CheckCellText(const ModelVariant& variant, int col, std::string_view text);

} // namespace radio
