#include "MSFlexGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

namespace {

// Where a cell keeps the reason of its mark.
constexpr int kMarkRole = Qt::UserRole + 1;

} // namespace

// Current-cell changes of every origin (mouse, keys, the program) pass here,
// which lets the grid announce the leave before the change and the enter
// after it.
class CMSFlexGrid::CSelectionModel : public QItemSelectionModel {
public:
    CSelectionModel(QAbstractItemModel* model, CMSFlexGrid* grid)
        : QItemSelectionModel(model, grid), m_grid(grid) {}

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override {
        if (m_grid->m_bSilent || index == currentIndex() || !index.isValid()) {
            QItemSelectionModel::setCurrentIndex(index, command);
            return;
        }
        emit m_grid->LeaveCell();
        QItemSelectionModel::setCurrentIndex(index, command);
        emit m_grid->EnterCell();
    }

private:
    CMSFlexGrid* m_grid;
};

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(1, 1, parent) {
    setProperty("controlId", 1000);
    QItemSelectionModel* old = selectionModel();
    setSelectionModel(new CSelectionModel(model(), this));
    delete old;

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionsClickable(false);
    // A click on a row label selects the row (for copy and delete).
    verticalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(kDefaultColWidth);
    verticalHeader()->setFixedWidth(kDefaultColWidth);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    setCornerButtonEnabled(false);
    // The corner is the fixed cell of row 0, column 0: it shows its text.
    for (QAbstractButton* corner : findChildren<QAbstractButton*>()) {
        if (corner->parent() == this) {
            corner->installEventFilter(this);
        }
    }
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMSFlexGrid::UpdateHighlight);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
    SetCurrentSilently(1, 1);
}

CMSFlexGrid::~CMSFlexGrid() = default;

std::string CMSFlexGrid::Text() const {
    return TextMatrix(Row(), Col());
}

QTableWidgetItem* CMSFlexGrid::HeaderItem(int row, int col) const {
    if (row == 0 && col >= 1) {
        return horizontalHeaderItem(col - 1);
    }
    return verticalHeaderItem(row - 1);
}

std::string CMSFlexGrid::TextMatrix(int row, int col) const {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) {
        return {};
    }
    if (row == 0 && col == 0) {
        return m_corner;
    }
    const QTableWidgetItem* cell =
        row == 0 || col == 0 ? HeaderItem(row, col) : item(row - 1, col - 1);
    return cell != nullptr ? cell->text().toStdString() : std::string();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const std::string& text) {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) {
        return;
    }
    const QString value = QString::fromStdString(text);
    if (row == 0 && col == 0) {
        m_corner = text;
        viewport()->update();
        update();
        return;
    }
    if (row == 0 || col == 0) {
        QTableWidgetItem* header = HeaderItem(row, col);
        if (header == nullptr) {
            header = new QTableWidgetItem;
            ApplyFixedLook(header);
            if (row == 0) {
                setHorizontalHeaderItem(col - 1, header);
            } else {
                setVerticalHeaderItem(row - 1, header);
            }
        }
        header->setText(value);
        return;
    }
    QTableWidgetItem* cell = item(row - 1, col - 1);
    if (cell == nullptr) {
        if (value.isEmpty()) {
            return;
        }
        cell = new QTableWidgetItem;
        const std::size_t index = static_cast<std::size_t>(col - 1);
        if (index < m_alignments.size()) {
            cell->setTextAlignment(m_alignments[index]);
        }
        setItem(row - 1, col - 1, cell);
    }
    if (cell->text() != value) {
        Unmark(cell);
    }
    cell->setText(value);
}

void CMSFlexGrid::ApplyFixedLook(QTableWidgetItem* item) const {
    item->setTextAlignment(Qt::AlignCenter);
    if (m_foreColorFixed.isValid()) {
        item->setForeground(m_foreColorFixed);
    }
}

void CMSFlexGrid::SetRows(int rows) {
    m_bSilent = true;
    setRowCount(std::max(rows - 1, 1));
    m_bSilent = false;
    if (currentRow() < 0) {
        SetCurrentSilently(1, 1);
    }
}

void CMSFlexGrid::SetCols(int cols) {
    m_bSilent = true;
    setColumnCount(std::max(cols - 1, 1));
    m_bSilent = false;
    m_alignments.resize(static_cast<std::size_t>(columnCount()), Qt::AlignLeft | Qt::AlignVCenter);
    if (currentColumn() < 0) {
        SetCurrentSilently(1, 1);
    }
}

int CMSFlexGrid::Row() const {
    return currentRow() + 1;
}

int CMSFlexGrid::Col() const {
    return currentColumn() + 1;
}

void CMSFlexGrid::SetRow(int row) {
    if (row >= 1 && row < Rows()) {
        setCurrentCell(row - 1, std::max(currentColumn(), 0));
    }
}

void CMSFlexGrid::SetCol(int col) {
    if (col >= 1 && col < Cols()) {
        setCurrentCell(std::max(currentRow(), 0), col - 1);
    }
}

void CMSFlexGrid::SetCurrentSilently(int row, int col) {
    m_bSilent = true;
    setCurrentCell(row - 1, col - 1);
    m_bSilent = false;
}

void CMSFlexGrid::SetForeColorFixed(const QColor& color) {
    m_foreColorFixed = color;
    for (int c = 1; c < Cols(); ++c) {
        if (QTableWidgetItem* header = HeaderItem(0, c)) {
            header->setForeground(color);
        }
    }
    for (int r = 1; r < Rows(); ++r) {
        if (QTableWidgetItem* header = HeaderItem(r, 0)) {
            header->setForeground(color);
        }
    }
}

CMSFlexGrid::Block CMSFlexGrid::Selection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        return {Row(), Col(), Row(), Col()};
    }
    // The mouse makes one block; should there be more, their hull.
    Block block{Rows(), Cols(), 0, 0};
    for (const QTableWidgetSelectionRange& range : ranges) {
        block.top = std::min(block.top, range.topRow() + 1);
        block.left = std::min(block.left, range.leftColumn() + 1);
        block.bottom = std::max(block.bottom, range.bottomRow() + 1);
        block.right = std::max(block.right, range.rightColumn() + 1);
    }
    return block;
}

bool CMSFlexGrid::WholeRowsSelected() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    return !ranges.isEmpty() &&
           std::all_of(ranges.begin(), ranges.end(), [this](const QTableWidgetSelectionRange& r) {
               return r.leftColumn() == 0 && r.rightColumn() == columnCount() - 1;
           });
}

void CMSFlexGrid::SetHighLight(bool on) {
    if (on) {
        setPalette(style()->standardPalette());
    } else if (m_bHighLight) {
        m_shownPalette = palette();
    }
    m_bHighLight = on;
    UpdateHighlight();
}

void CMSFlexGrid::UpdateHighlight() {
    if (m_bHighLight) {
        return;
    }
    const Block block = Selection();
    QPalette pal = m_shownPalette;
    if (block.top == block.bottom && block.left == block.right) {
        pal.setColor(QPalette::Highlight, pal.color(QPalette::Base));
        pal.setColor(QPalette::HighlightedText, pal.color(QPalette::Text));
    }
    if (pal != palette()) {
        setPalette(pal);
    }
}

void CMSFlexGrid::SetColAlignment(int col, Qt::Alignment alignment) {
    if (col == 0) {
        verticalHeader()->setDefaultAlignment(alignment);
        return;
    }
    const std::size_t index = static_cast<std::size_t>(col - 1);
    if (index >= m_alignments.size()) {
        return;
    }
    m_alignments[index] = alignment;
    for (int r = 0; r < rowCount(); ++r) {
        if (QTableWidgetItem* cell = item(r, col - 1)) {
            cell->setTextAlignment(alignment);
        }
    }
}

int CMSFlexGrid::ColWidth(int col) const {
    return col == 0 ? m_fixedColWidth : columnWidth(col - 1);
}

void CMSFlexGrid::SetColWidth(int col, int width) {
    if (col == 0) {
        m_fixedColWidth = width;
        verticalHeader()->setFixedWidth(width);
    } else if (col < Cols()) {
        setColumnWidth(col - 1, width);
    }
}

QRect CMSFlexGrid::CellRect() const {
    return visualRect(currentIndex());
}

QRect CMSFlexGrid::CellRectOf(int row, int col) const {
    return visualRect(model()->index(row - 1, col - 1));
}

void CMSFlexGrid::MarkCell(int row, int col, const std::string& reason) {
    if (row < 1 || col < 1 || row >= Rows() || col >= Cols()) {
        return;
    }
    QTableWidgetItem* cell = item(row - 1, col - 1);
    if (cell == nullptr) {
        cell = new QTableWidgetItem;
        const std::size_t index = static_cast<std::size_t>(col - 1);
        if (index < m_alignments.size()) {
            cell->setTextAlignment(m_alignments[index]);
        }
        setItem(row - 1, col - 1, cell);
    }
    const QString text = QString::fromStdString(reason);
    cell->setData(kMarkRole, text);
    cell->setBackground(QColor(255, 214, 196));
    cell->setToolTip(text);
}

std::string CMSFlexGrid::CellMark(int row, int col) const {
    if (row < 1 || col < 1 || row >= Rows() || col >= Cols()) {
        return {};
    }
    const QTableWidgetItem* cell = item(row - 1, col - 1);
    return cell != nullptr ? cell->data(kMarkRole).toString().toStdString() : std::string();
}

void CMSFlexGrid::ClearCellMarks() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            Unmark(item(r, c));
        }
    }
}

void CMSFlexGrid::Unmark(QTableWidgetItem* cell) {
    if (cell == nullptr || !cell->data(kMarkRole).isValid()) {
        return;
    }
    cell->setData(kMarkRole, QVariant());
    cell->setData(Qt::BackgroundRole, QVariant());
    cell->setToolTip(QString());
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    emit MouseDown();
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    // Paints the corner like a header section with the text of cell (0, 0).
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner != nullptr && event->type() == QEvent::Paint) {
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = QString::fromStdString(m_corner);
        option.textAlignment = Qt::AlignCenter;
        if (m_foreColorFixed.isValid()) {
            option.palette.setColor(QPalette::ButtonText, m_foreColorFixed);
        }
        QPainter painter(corner);
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}
