#include "ChannelView.h"

#include "AppContext.h"
#include "ChannelName.h"
#include "ProductSelection.h"
#include "ToneCode.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr char kControlId[] = "controlId";

} // namespace

// The rules' view of one editor widget.
class CChannelView::CEditorAdapter : public radio::ICellEditor {
public:
    CEditorAdapter(CChannelView& view, QWidget* editor) : m_view(view), m_editor(editor) {}

    // Shown by the view, whether or not the channel window is on screen:
    // text typed before the window was hidden is still committed.
    bool IsVisible() const override { return m_editor != nullptr && !m_editor->isHidden(); }
    std::string Text() const override {
        if (auto* edit = qobject_cast<QLineEdit*>(m_editor)) {
            return edit->text().toStdString();
        }
        if (auto* list = qobject_cast<QComboBox*>(m_editor)) {
            return list->currentIndex() >= 0 ? list->currentText().toStdString() : std::string();
        }
        return {};
    }
    void Hide() override { m_view.HideEditor(m_editor); }

private:
    CChannelView& m_view;
    QWidget* m_editor;
};

class CChannelView::CCautionSink : public radio::ICautionSink {
public:
    CCautionSink(const radio::CAppContext& app, QWidget* owner) : m_app(app), m_owner(owner) {}
    void ShowCaution(int messageId) override { m_app.ShowCaution(m_owner, messageId); }

private:
    const radio::CAppContext& m_app;
    QWidget* m_owner;
};

CChannelView::CChannelView(radio::CAppContext& app, IChannelDocument* document, QWidget* parent)
    : QWidget(parent), m_grid(new CMSFlexGrid(this)), m_app(app), m_variant(app.variant),
      m_pDocument(document), m_caution(std::make_unique<CCautionSink>(app, this)) {
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    m_grid->setFont(font());
    const radio::DialogRect& form = m_variant.form;
    const radio::DialogRect& grid = m_variant.gridRect;
    const QFontMetrics metrics(font());
    const int unitX = metrics.averageCharWidth();
    const int unitY = metrics.height();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(grid.x * unitX / 4, grid.y * unitY / 8,
                               (form.width - grid.x - grid.width) * unitX / 4,
                               (form.height - grid.y - grid.height) * unitY / 8);
    layout->addWidget(m_grid);

    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CChannelView::ShowCellEditor);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CChannelView::ShowCellEditor);
    connect(m_grid, &CMSFlexGrid::LeaveCell, this, &CChannelView::CommitCellEditor);
    connect(m_grid, &CMSFlexGrid::Scroll, this, &CChannelView::HideCellEditors);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
}

CChannelView::~CChannelView() {
    // No cell events while the grid and the editors are taken down.
    m_grid->disconnect(this);
}

QSize CChannelView::sizeHint() const {
    const QFontMetrics metrics(font());
    return {m_variant.form.width * metrics.averageCharWidth() / 4,
            m_variant.form.height * metrics.height() / 8};
}

void CChannelView::OnInitialUpdate() {
    if (m_bFirstInit) {
        SetUpGrid();
        m_bFirstInit = false;
    }
    const QString icon = QString::fromStdString(m_app.language.programDirectory + "title.ico");
    if (parentWidget() != nullptr && QFileInfo::exists(icon)) {
        parentWidget()->setWindowIcon(QIcon(icon));
    }
    ImageToGrid();
}

void CChannelView::SetUpGrid() {
    const radio::Language lang = m_app.language.textLanguage;
    m_toneNames = radio::BuildToneList(m_variant.toneCode, lang);
    m_grid->SetRows(m_variant.Rows());
    m_grid->SetCols(m_variant.Cols());
    // Compact rows, as a spreadsheet has them.
    const int rowHeight = QFontMetrics(m_grid->font()).height() + 3;
    m_grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_grid->SetForeColorFixed(QColor(0, 50, 240));
    if (!m_variant.gridHighlight) {
        m_grid->SetHighLight(false);
    }
    CreateEditors();
    radio::WriteGridLabels(m_variant, *m_grid, lang);
    for (int c = 0; c < m_grid->Cols(); ++c) {
        m_grid->SetColAlignment(c, Qt::AlignCenter);
    }
    const int t = m_grid->ColWidth(0);
    for (int c = 0; c < m_variant.Cols(); ++c) {
        const double factor = m_variant.columns[static_cast<std::size_t>(c)].widthFactor;
        if (factor > 0.0) {
            m_grid->SetColWidth(c, static_cast<int>(factor * t));
        }
    }
}

void CChannelView::CreateEditors() {
    const radio::Language lang = m_app.language.textLanguage;
    m_editors.assign(static_cast<std::size_t>(m_variant.Cols()), nullptr);
    for (int c = 1; c < m_variant.Cols(); ++c) {
        const radio::GridColumn& column = m_variant.columns[static_cast<std::size_t>(c)];
        QWidget* editor = nullptr;
        if (column.editor == radio::EditorKind::Edit) {
            auto* edit = new QLineEdit(m_grid->viewport());
            edit->setFrame(false);
            edit->setAlignment(Qt::AlignCenter);
            if (column.maxChars > 0) {
                edit->setMaxLength(column.maxChars);
            }
            if (column.kind == radio::ColumnKind::Name) {
                // Letters become capitals as they are typed.
                connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
                    const QString upper = text.toUpper();
                    if (upper != text) {
                        const int cursor = edit->cursorPosition();
                        edit->setText(upper);
                        edit->setCursorPosition(cursor);
                    }
                });
            }
            editor = edit;
        } else if (column.editor == radio::EditorKind::DropList) {
            auto* list = new QComboBox(m_grid->viewport());
            list->setEditable(false);
            if (column.kind == radio::ColumnKind::DecodeTone ||
                column.kind == radio::ColumnKind::EncodeTone) {
                for (const std::string& name : m_toneNames) {
                    list->addItem(QString::fromStdString(name));
                }
            } else {
                for (const radio::ChoiceItem& item : column.choice.items) {
                    list->addItem(QString::fromStdString(std::string(item.text.In(lang))));
                }
            }
            editor = list;
        }
        if (editor == nullptr) {
            continue;
        }
        editor->setProperty(kControlId, column.controlId);
        editor->setFont(font());
        editor->setGeometry(0, 0, 0, 0);
        editor->hide();
        editor->installEventFilter(this);
        m_editors[static_cast<std::size_t>(c)] = editor;
    }
}

QWidget* CChannelView::EditorOfColumn(int col) const {
    const std::size_t index = static_cast<std::size_t>(radio::EditorColumnFor(m_variant, col));
    return index < m_editors.size() ? m_editors[index] : nullptr;
}

QWidget* CChannelView::EditorForColumn() const {
    return EditorOfColumn(m_grid->Col());
}

void CChannelView::ShowCellEditor() {
    QWidget* editor = EditorForColumn();
    if (editor == nullptr) {
        return;
    }
    const QString text = QString::fromStdString(m_grid->Text());
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // The first item that begins with the cell text; the first item when
        // none does.
        const int index = list->findText(text, Qt::MatchStartsWith);
        list->setCurrentIndex(index >= 0 ? index : 0);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
    editor->setGeometry(m_grid->CellRect());
    if (auto* edit = qobject_cast<QLineEdit*>(editor);
        edit != nullptr && m_variant.selectEditTextOnShow) {
        edit->selectAll();
    }
    editor->show();
    editor->raise();
    editor->setFocus();
    m_grid->viewport()->update();
}

void CChannelView::HideEditor(QWidget* editor) {
    if (editor == nullptr) {
        return;
    }
    // Keys must keep reaching the view when the focused editor goes.
    if (editor->hasFocus()) {
        m_grid->setFocus();
    }
    editor->hide();
}

void CChannelView::HideCellEditors() {
    for (QWidget* editor : m_editors) {
        HideEditor(editor);
    }
    m_grid->viewport()->update();
}

radio::EditContext CChannelView::Context() {
    return radio::EditContext{m_variant, GetBandLimits(), m_app.language.textLanguage, *m_caution};
}

std::vector<std::string> CChannelView::RowTexts(int row) const {
    std::vector<std::string> texts;
    for (int c = 1; c < m_grid->Cols(); ++c) {
        texts.push_back(m_grid->TextMatrix(row, c));
    }
    return texts;
}

void CChannelView::MarkModifiedIfChanged(int row, const std::vector<std::string>& before) {
    if (m_pDocument != nullptr && RowTexts(row) != before) {
        m_pDocument->SetModifiedFlag(true);
    }
}

bool CChannelView::CommitCellEditor() {
    // A commit changes at most the current row.
    const int row = m_grid->Row();
    const std::vector<std::string> before = RowTexts(row);
    CEditorAdapter editor(*this, EditorForColumn());
    const bool accepted = radio::CommitCellEditor(*m_grid, editor, Context());
    MarkModifiedIfChanged(row, before);
    return accepted;
}

std::string CChannelView::ChannelLabel(int row) const {
    std::string label = m_grid->TextMatrix(row, 0);
    label.erase(0, label.find_first_not_of(' '));
    return label;
}

void CChannelView::CopySelection() {
    // What the grid shows: an edit still being typed is not part of it.
    const CMSFlexGrid::Block block = m_grid->Selection();
    const radio::TabRows cells =
        radio::CopyCells(*m_grid, block.top, block.left, block.bottom, block.right);
    QGuiApplication::clipboard()->setText(QString::fromStdString(radio::FormatTabText(cells)));
}

void CChannelView::PasteClipboard() {
    const radio::TabRows cells =
        radio::ParseTabText(QGuiApplication::clipboard()->text().toStdString());
    // What was typed into the current cell goes in first; when it is
    // refused, its message is all that happens.
    if (!CommitCellEditor()) {
        return;
    }
    // The editor would show the cell's old text over the pasted one.
    HideCellEditors();
    const CMSFlexGrid::Block block = m_grid->Selection();
    const radio::PastePlan plan =
        radio::PlanPaste(m_variant, GetBandLimits(), m_app.language.textLanguage, *m_grid,
                         block.top, m_grid->WholeRowsSelected() ? 0 : block.left, cells);
    bool changed = false;
    for (const radio::PastePlan::RowTexts& row : plan.rows) {
        for (int c = 1; c < m_grid->Cols(); ++c) {
            const std::string& text = row.texts[static_cast<std::size_t>(c - 1)];
            if (m_grid->TextMatrix(row.row, c) != text) {
                m_grid->SetTextMatrix(row.row, c, text);
                changed = true;
            }
        }
    }
    if (changed && m_pDocument != nullptr) {
        m_pDocument->SetModifiedFlag(true);
    }
    ShowPasteRefusals(plan, cells);
}

void CChannelView::ShowPasteRefusals(const radio::PastePlan& plan, const radio::TabRows& cells) {
    std::size_t width = 0;
    for (const auto& row : cells) {
        width = std::max(width, row.size());
    }
    const int height = static_cast<int>(cells.size());
    QString text;
    switch (plan.block) {
    case radio::PasteBlock::None:
        break;
    case radio::PasteBlock::NothingToPaste:
        text = tr("The clipboard holds no cells to paste.");
        break;
    case radio::PasteBlock::FixedRow:
        text = tr("Cells cannot be pasted into the column headings.");
        break;
    case radio::PasteBlock::FixedColumn:
        text =
            tr("With whole channels selected, only whole channels (%1 columns) can be pasted, but "
               "the clipboard holds %2 columns. Click the cell to paste into instead.")
                .arg(m_grid->Cols() - 1)
                .arg(width);
        break;
    case radio::PasteBlock::BeyondLastRow:
        text = tr("The clipboard holds %1 rows, but from channel %2 down the table has only %3. "
                  "Nothing was pasted.")
                   .arg(height)
                   .arg(QString::fromStdString(ChannelLabel(plan.firstRow)))
                   .arg(m_variant.channelRows - plan.firstRow + 1);
        break;
    case radio::PasteBlock::BeyondLastColumn:
        text = tr("The clipboard holds %1 columns, but from \"%2\" on the table has only %3. "
                  "Nothing was pasted.")
                   .arg(width)
                   .arg(QString::fromStdString(m_grid->TextMatrix(0, plan.firstCol)))
                   .arg(m_grid->Cols() - plan.firstCol);
        break;
    }
    if (plan.block == radio::PasteBlock::None) {
        if (plan.refusals.empty()) {
            return;
        }
        const QString band = tr("outside the band %1 - %2 MHz")
                                 .arg(m_nBandLower / 100000.0)
                                 .arg(m_nBandUpper / 100000.0);
        text = tr("%1 of %2 rows were pasted. The rows with a refused cell were left as they "
                  "were:")
                   .arg(plan.rows.size())
                   .arg(height);
        for (const radio::PasteRefusal& refusal : plan.refusals) {
            QString reason;
            switch (refusal.reason) {
            case radio::PasteReason::OutOfBand:
                reason = band;
                break;
            case radio::PasteReason::OffStep:
                reason = tr("on neither the 5 kHz nor the 6.25 kHz step");
                break;
            case radio::PasteReason::NotInList:
                reason = tr("not in the column's list");
                break;
            case radio::PasteReason::NameCharacters:
                reason = tr("a channel name holds only A-Z, 0-9, '-' and '_'");
                break;
            case radio::PasteReason::NameTooLong: {
                const int limit = m_variant.columns[static_cast<std::size_t>(refusal.col)].maxChars;
                reason = tr("longer than %1 characters").arg(limit > 0 ? limit : radio::kNameBytes);
                break;
            }
            case radio::PasteReason::NoChannel:
                reason = tr("the channel has no Rx Frequency");
                break;
            }
            text += QLatin1Char('\n') +
                    tr("Channel %1, %2: \"%3\": %4")
                        .arg(QString::fromStdString(ChannelLabel(refusal.row)),
                             QString::fromStdString(m_grid->TextMatrix(0, refusal.col)),
                             QString::fromStdString(refusal.text), reason);
        }
    }
    m_app.ShowMessage(this, text.toStdString(), m_app.language.displayName,
                      radio::MessageIcon::Exclamation);
}

void CChannelView::DeleteSelectedRows() {
    if (!m_grid->WholeRowsSelected() || !CommitCellEditor()) {
        return;
    }
    const CMSFlexGrid::Block block = m_grid->Selection();
    std::vector<int> used;
    for (int r = block.top; r <= block.bottom; ++r) {
        const std::vector<std::string> texts = RowTexts(r);
        if (std::any_of(texts.begin(), texts.end(),
                        [](const std::string& t) { return !t.empty(); })) {
            used.push_back(r);
        }
    }
    if (used.empty()) {
        return;
    }
    // One channel goes as emptying its Rx Frequency takes it; several at
    // once are asked about.
    if (used.size() > 1 &&
        m_app.ShowMessage(this,
                          tr("Clear the %1 selected channels (%2 to %3)? Their settings are lost.")
                              .arg(used.size())
                              .arg(QString::fromStdString(ChannelLabel(used.front())),
                                   QString::fromStdString(ChannelLabel(used.back())))
                              .toStdString(),
                          m_app.language.displayName, radio::MessageIcon::Question,
                          radio::MessageButtons::YesNo) != radio::MessageResult::Yes) {
        return;
    }
    HideCellEditors();
    for (const int r : used) {
        radio::ClearChannel(*m_grid, r);
    }
    if (m_pDocument != nullptr) {
        m_pDocument->SetModifiedFlag(true);
    }
}

bool CChannelView::HandleClipboardKey(QObject* watched, QKeyEvent* key) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (key->matches(QKeySequence::Copy)) {
        const CMSFlexGrid::Block block = m_grid->Selection();
        const bool oneCell = block.top == block.bottom && block.left == block.right;
        if (edit != nullptr && edit->hasSelectedText() && oneCell) {
            return false; // the edit box copies its selected text
        }
        CopySelection();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        if (edit != nullptr && !m_grid->WholeRowsSelected()) {
            const radio::TabRows cells =
                radio::ParseTabText(QGuiApplication::clipboard()->text().toStdString());
            if (cells.size() == 1 && cells.front().size() == 1) {
                // One value into an edit box is typing: the commit checks it
                // when the cell is left. The line end a spreadsheet adds
                // stays out.
                edit->insert(QString::fromStdString(cells.front().front()));
                return true;
            }
        }
        PasteClipboard();
        return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier &&
        m_grid->WholeRowsSelected() && (edit == nullptr || !edit->isModified())) {
        DeleteSelectedRows();
        return true;
    }
    return false;
}

bool CChannelView::HandleEnterKey() {
    const int row = m_grid->Row();
    const std::vector<std::string> before = RowTexts(row);
    CEditorAdapter editor(*this, EditorForColumn());
    const bool moved =
        radio::HandleEnterKey(*m_grid, editor, Context()) == radio::EnterOutcome::Moved;
    MarkModifiedIfChanged(row, before);
    return moved;
}

void CChannelView::ImageToGrid() {
    if (m_pDocument == nullptr) {
        return;
    }
    radio::GridHooks hooks;
    hooks.applyProductSelection = [this](radio::Image& image) { ApplyProductSelection(image); };
    radio::ImageToGrid(m_variant, m_pDocument->GetImage(), *m_grid, m_app.language.textLanguage,
                       hooks);
}

void CChannelView::GridToImage() {
    if (m_pDocument == nullptr) {
        return;
    }
    radio::GridHooks hooks;
    if (m_variant.commitBeforeGridToImage) {
        hooks.commitCellEditor = [this] { CommitCellEditor(); };
    }
    radio::GridToImage(m_variant, *m_grid, m_pDocument->GetImage(), hooks);
}

void CChannelView::ApplyProductSelection(radio::Image& image) {
    const radio::CProductCatalogue catalogue(m_app.profile, m_app.language.languageSection);
    const radio::ProductOutcome outcome = radio::ApplyProductSelection(
        catalogue, m_app.Settings(), m_app.freshDocument, m_app.language.textLanguage, image,
        m_variant.typeOffset, m_variant.bandOffset);
    SetBandLimits(outcome.limits);
    m_strBandText = outcome.bandText;
    QWidget* frame = m_app.mainWindow != nullptr ? m_app.mainWindow : window();
    frame->setWindowTitle(QString::fromStdString(outcome.title));
}

void CChannelView::SetBandLimits(const radio::BandLimits& limits) {
    m_nBandLower = limits.lower;
    m_nBandUpper = limits.upper;
}

bool CChannelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (HandleClipboardKey(watched, static_cast<QKeyEvent*>(event))) {
            return true;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1) {
            // The context is the control id of the window the key went to:
            // the grid (1000) or a cell editor. No widget here does anything
            // else with F1, and the frame must not show its own topic too.
            for (QObject* object = watched; object != nullptr; object = object->parent()) {
                const QVariant id = object->property(kControlId);
                if (id.isValid()) {
                    m_app.ShowHelp(id.toUInt());
                    break;
                }
            }
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            HandleEnterKey();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

CChannelView* CreateChannelView(radio::CAppContext& app, IChannelDocument* document,
                                QWidget* parent) {
    if (app.variant.family == radio::Family::Lark) {
        return new CApp_LarkView(app, document, parent);
    }
    return new CApp_WrenView(app, document, parent);
}
