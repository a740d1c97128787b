#pragma once

// The channel view: the window in which the user sees and edits the channel
// table of one document. It owns the grid and one hidden editor per column;
// the editor of the current cell is shown over it, and what the user types
// reaches the grid text through the rules of CellEditRules. The image is
// touched only by ImageToGrid and GridToImage.

#include "CellEditRules.h"
#include "GridClipboard.h"
#include "ImageReview.h"
#include "MSFlexGrid.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLineEdit;

namespace radio {
class CAppContext;
}

// What the view needs of its document.
class IChannelDocument {
public:
    virtual ~IChannelDocument() = default;
    virtual radio::Image& GetImage() = 0;
    // Marks the document changed since it was last saved (or not).
    virtual void SetModifiedFlag(bool modified) = 0;
};

class CChannelView : public QWidget {
    Q_OBJECT

public:
    CChannelView(radio::CAppContext& app, IChannelDocument* document, QWidget* parent = nullptr);
    ~CChannelView() override;

    // Set-up of the grid on the first call, then a refresh from the image.
    void OnInitialUpdate();

    // The whole table from the image; ends with the product selection step,
    // which sets the band limits and the main window's title.
    void ImageToGrid();
    // The whole table into the image (the Wren family commits an open edit
    // first).
    void GridToImage();
    // Commits the visible editor of the current column into its cell; false
    // when a refused value kept the cell as it was.
    bool CommitCellEditor();

    void ShowCellEditor();
    void HideCellEditors();
    // The editor of the current column.
    QWidget* EditorForColumn() const;
    // The editor serving grid column `col` (1..Cols-1).
    QWidget* EditorOfColumn(int col) const;

    // Enter inside the view: commit, then move to the next cell. False when
    // a refused value kept the cell where it is.
    bool HandleEnterKey();

    // The grid's clipboard (Ctrl+C, Ctrl+V, Delete on selected rows): the
    // selected cells as tab-separated text, with the texts the grid shows;
    // tab-separated text pasted at the top-left selected cell, each cell
    // checked as if typed, rows with a refused cell left as they were; the
    // selected channels cleared, after a question when there are several.
    void CopySelection();
    void PasteClipboard();
    void DeleteSelectedRows();

    radio::BandLimits GetBandLimits() const { return {m_nBandLower, m_nBandUpper}; }
    void SetBandLimits(const radio::BandLimits& limits);

    // The image check (ChannelReview.cpp): after a file is opened and after
    // a read, what the document's product cannot hold is listed in one
    // notice and its cells are marked in the grid until edited. Nothing in
    // the document changes. Returns what was found.
    radio::ImageCheckReport ReviewImage();
    // The band the product selection last gave: its limits and text.
    radio::ProductBand Product() const { return {GetBandLimits(), m_strBandText}; }

    CMSFlexGrid& Grid() { return *m_grid; }
    IChannelDocument* GetDocument() const { return m_pDocument; }
    const radio::ModelVariant& Variant() const { return m_variant; }
    const std::vector<std::string>& ToneNames() const { return m_toneNames; }

    QSize sizeHint() const override;

    CMSFlexGrid* m_grid;
    std::string m_strPort = "COM1";
    bool m_bWrite = false;
    // Set while a transfer with the radio runs: the frame then refuses what
    // would take this view, its document or the open port away.
    bool m_bTransferring = false;
    bool m_bFirstInit = true;
    std::int32_t m_nBandUpper = 0;
    std::int32_t m_nBandLower = 0;
    std::vector<std::string> m_toneNames;
    std::string m_strBandText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class CEditorAdapter;
    class CCautionSink;

    void SetUpGrid();
    void CreateEditors();
    radio::EditContext Context();
    void ApplyProductSelection(radio::Image& image);
    void HideEditor(QWidget* editor);
    std::vector<std::string> RowTexts(int row) const;
    // The key is one of the grid's clipboard keys and the grid takes it
    // rather than the cell's edit box (which keeps its own text keys while
    // the user types in it).
    bool HandleClipboardKey(QObject* watched, QKeyEvent* key);
    // The one message of a paste that was refused whole or in part.
    void ShowPasteRefusals(const radio::PastePlan& plan, const radio::TabRows& cells);
    // Column 0's text without its padding ("Pr", "7").
    std::string ChannelLabel(int row) const;
    // A committed edit that changed the row marks the document.
    void MarkModifiedIfChanged(int row, const std::vector<std::string>& before);

    radio::CAppContext& m_app;
    const radio::ModelVariant& m_variant;
    IChannelDocument* m_pDocument;
    // By grid column; column 0 has none.
    std::vector<QWidget*> m_editors;
    std::unique_ptr<CCautionSink> m_caution;
};

// The view's names in the two program families.
class CApp_LarkView : public CChannelView {
    Q_OBJECT
public:
    using CChannelView::CChannelView;
};

class CApp_WrenView : public CChannelView {
    Q_OBJECT
public:
    using CChannelView::CChannelView;
};

// The view class of the variant's family.
CChannelView* CreateChannelView(radio::CAppContext& app, IChannelDocument* document,
                                QWidget* parent = nullptr);
