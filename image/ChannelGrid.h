// Whole-table conversions between the memory image and the grid's texts.
//
// The grid is only source and sink of cell texts here, so the conversions
// run the same over a window's grid and over a plain table (command line
// tool, tests). The two steps that belong to the window layer, applying the
// product selection at the end of ImageToGrid and committing an open cell
// edit at the start of the Wren family's GridToImage, are hooks.
#pragma once

#include "MemoryImage.h"
#include "Texts.h"
#include "Variant.h"

#include <functional>
#include <string>
#include <vector>

namespace radio {

// Cell texts by row and column; row 0 holds the headings, column 0 the labels.
class IChannelTable {
public:
    virtual ~IChannelTable() = default;
    virtual std::string TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const std::string& text) = 0;
};

// A plain table of cell texts.
class CellTable : public IChannelTable {
public:
    CellTable(int rows, int cols);
    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    std::string TextMatrix(int row, int col) const override;
    void SetTextMatrix(int row, int col, const std::string& text) override;

private:
    int m_rows;
    int m_cols;
    std::vector<std::string> m_cells;
};

struct GridHooks {
    // Commits an open in-place edit into the grid (Wren family GridToImage).
    std::function<void()> commitCellEditor;
    // The product selection step that ends every ImageToGrid; it may write
    // the type and band bytes of the image.
    std::function<void(Image&)> applyProductSelection;
};

// Headings of row 0 and labels of column 0, in the given language.
void WriteGridLabels(const ModelVariant& variant, IChannelTable& table, Language lang);

// A table of the variant's size with its headings and labels.
CellTable MakeChannelTable(const ModelVariant& variant, Language lang);

// Rewrites every cell of every channel row from the image, then runs the
// product selection hook.
void ImageToGrid(const ModelVariant& variant, Image& image, IChannelTable& table, Language lang,
                 const GridHooks& hooks = {});

// Parses every channel row back into its record (and names, scan bitmap).
void GridToImage(const ModelVariant& variant, const IChannelTable& table, Image& image,
                 const GridHooks& hooks = {});

// The text a choice column shows for a field value (empty for a value with no item).
std::string ChoiceText(const ChoiceField& field, int value, Language lang);
// The index of the item whose English or Chinese text is `text`, or -1.
int ChoiceItemIndex(const ChoiceField& field, std::string_view text);

// The texts a new channel's row gets in columns 3 onward.
std::vector<std::string> NewChannelDefaults(const ModelVariant& variant, Language lang);

} // namespace radio
