#pragma once

// The channel grid: a table widget with one fixed row (the headings) and one
// fixed column (the row labels) and a current cell. Every change of the
// current cell, by the user or by the program, raises LeaveCell while the
// old cell is still current and then EnterCell. Rows, columns and cells are
// counted with the fixed row and column, as the channel view's logic expects;
// the fixed texts are shown in the table's headers so that they stay in view
// while the table scrolls. Sizes are in pixels. A block of cells can be
// selected with the mouse (drag or Shift+click), and whole rows by their
// labels; the current cell is one corner of it.

#include "CellEditRules.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QTableWidget>

#include <string>
#include <vector>

class CMSFlexGrid : public QTableWidget, public radio::IGridCursor {
    Q_OBJECT

public:
    // The width of every column before one is set.
    static constexpr int kDefaultColWidth = 64;

    explicit CMSFlexGrid(QWidget* parent = nullptr);
    ~CMSFlexGrid() override;

    // Text of the current cell.
    std::string Text() const;
    std::string TextMatrix(int row, int col) const override;
    void SetTextMatrix(int row, int col, const std::string& text) override;

    int Rows() const override { return rowCount() + 1; }
    int Cols() const override { return columnCount() + 1; }
    void SetRows(int rows);
    void SetCols(int cols);

    int Row() const override;
    int Col() const override;
    void SetRow(int row) override;
    void SetCol(int col) override;

    // The selected block in grid numbering; the current cell when nothing
    // is selected.
    struct Block {
        int top = 1;
        int left = 1;
        int bottom = 1;
        int right = 1;
    };
    Block Selection() const;
    // The selection is of whole rows (chosen by their labels, or a block as
    // wide as the table).
    bool WholeRowsSelected() const;

    void SetForeColorFixed(const QColor& color);
    // Off: a selected single cell is not highlighted; a block of several
    // cells still is, so that the user sees what a copy takes.
    void SetHighLight(bool on);
    void SetColAlignment(int col, Qt::Alignment alignment);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // The current cell's rectangle, relative to the viewport.
    QRect CellRect() const;
    // Any data cell's rectangle, relative to the viewport.
    QRect CellRectOf(int row, int col) const;

    // Marks of the image check: the cell gets a warning background and the
    // reason as its tooltip, until its text changes.
    void MarkCell(int row, int col, const std::string& reason);
    // The reason of a marked cell; "" when the cell has no mark.
    std::string CellMark(int row, int col) const;
    void ClearCellMarks();

signals:
    void EnterCell();
    void LeaveCell();
    void MouseDown();
    void Scroll();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class CSelectionModel;
    friend class CSelectionModel;

    QTableWidgetItem* HeaderItem(int row, int col) const;
    void ApplyFixedLook(QTableWidgetItem* item) const;
    // Sets the current cell without raising the cell events (set-up only).
    void SetCurrentSilently(int row, int col);
    void UpdateHighlight();
    static void Unmark(QTableWidgetItem* cell);

    std::string m_corner; // text of the top-left fixed cell
    QColor m_foreColorFixed;
    std::vector<Qt::Alignment> m_alignments; // by data column - 1
    int m_fixedColWidth = kDefaultColWidth;
    bool m_bSilent = false;
    bool m_bHighLight = true;
    QPalette m_shownPalette; // the palette with the highlight, while it is off
};
