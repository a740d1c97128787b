#include "OptionsDlg.h"

#include "AppContext.h"
#include "DialogUnits.h"
#include "Options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr char kControlId[] = "controlId";

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Dialog units of the template's two label columns: labels stand right-
// aligned between here and their list.
constexpr int kLeftLabels = 4;
constexpr int kRightLabels = 136;
constexpr int kSecondColumn = 135;
constexpr int kClosedListHeight = 12;

} // namespace

COptionsDlg::COptionsDlg(radio::CAppContext& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_variant(app.variant), m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(tr("Optional Features"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    BuildTemplate();
    m_ok->setDefault(true);
    m_ok->setProperty(kControlId, 1);
    m_cancel->setProperty(kControlId, 2);
    connect(m_ok, &QPushButton::clicked, this, &COptionsDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void COptionsDlg::BuildTemplate() {
    const radio::CDialogUnits units(*this);
    const radio::OptionsDialogLayout& layout = m_variant.optionsDialog;
    const radio::Language lang =
        layout.listsFromCode ? m_app.language.textLanguage : m_app.language.resourceLanguage;
    // The template's places, widened where a text in this language needs
    // more room, so that nothing is cut off.
    QRect used;
    for (const radio::OptionDef& option : m_variant.options) {
        const radio::DialogRect& at = option.place;
        const QString label = Text(option.label.In(m_app.language.resourceLanguage));
        QWidget* control = nullptr;
        if (option.rule == radio::OptionRule::CheckBox) {
            auto* box = new QCheckBox(label, this);
            QRect r = units.Rect(at.x, at.y, at.width, at.height);
            r.setWidth(std::max(r.width(), box->sizeHint().width()));
            r.setHeight(std::max(r.height(), box->sizeHint().height()));
            box->setGeometry(r);
            control = box;
        } else {
            auto* list = new QComboBox(this);
            for (const radio::TextPair& choice : option.choices) {
                list->addItem(Text(choice.In(lang)));
            }
            QRect r = units.Rect(at.x, at.y, at.width, kClosedListHeight);
            r.setWidth(std::max(r.width(), list->sizeHint().width()));
            r.setHeight(std::max(r.height(), list->sizeHint().height()));
            list->setGeometry(r);
            auto* caption = new QLabel(label, this);
            caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const int right = r.left() - units.Rect(0, 0, 3, 0).width();
            int left = units.Rect(at.x < kSecondColumn ? kLeftLabels : kRightLabels, 0, 0, 0).x();
            left = std::max(2, std::min(left, right - caption->sizeHint().width()));
            caption->setGeometry(QRect(QPoint(left, r.top()), QPoint(right, r.bottom())));
            used = used.united(caption->geometry());
            control = list;
        }
        control->setProperty(kControlId, option.controlId);
        control->setObjectName(QStringLiteral("control%1").arg(option.controlId));
        used = used.united(control->geometry());
        m_controls.push_back(control);
    }
    for (auto [button, at] : {std::pair{m_ok, layout.ok}, std::pair{m_cancel, layout.cancel}}) {
        QRect r = units.Rect(at.x, at.y, at.width, at.height);
        r.setWidth(std::max(r.width(), button->sizeHint().width()));
        button->setGeometry(r);
        used = used.united(r);
    }
    const QSize size = units.Size(layout.size.width, layout.size.height);
    setFixedSize(std::max(size.width(), used.right() + 8),
                 std::max(size.height(), used.bottom() + 8));
}

QWidget* COptionsDlg::Control(int controlId) const {
    for (QWidget* control : m_controls) {
        if (control->property(kControlId).toInt() == controlId) {
            return control;
        }
    }
    return nullptr;
}

int COptionsDlg::DoModal(radio::Image& image) {
    m_pImage = &image;
    OnInitDialog();
    const int result = exec();
    m_pImage = nullptr;
    return result;
}

void COptionsDlg::OnInitDialog() {
    const std::vector<int> indices = radio::LoadOptions(m_variant, *m_pImage);
    for (std::size_t i = 0; i < m_controls.size() && i < indices.size(); ++i) {
        if (auto* box = qobject_cast<QCheckBox*>(m_controls[i])) {
            box->setChecked(indices[i] == 1);
        } else if (auto* list = qobject_cast<QComboBox*>(m_controls[i])) {
            // A stored value outside the list shows no selection.
            list->setCurrentIndex(indices[i]);
        }
    }
    if (!m_controls.empty()) {
        m_controls.front()->setFocus();
    }
}

void COptionsDlg::OnOK() {
    std::vector<int> indices;
    for (QWidget* control : m_controls) {
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            indices.push_back(box->isChecked() ? 1 : 0);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            indices.push_back(list->currentIndex());
        }
    }
    radio::StoreOptions(m_variant, *m_pImage, indices);
    accept();
}

bool COptionsDlg::LarkKeyPasses(const QKeyEvent& key) {
    if (key.modifiers().testFlag(Qt::ShiftModifier)) {
        return false;
    }
    const int k = key.key();
    return (k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Backspace || k == Qt::Key_Delete ||
           k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down;
}

bool COptionsDlg::eventFilter(QObject* watched, QEvent* event) {
    // Keys reach the focused control first; what it does not take goes on
    // to the dialog's keyPressEvent, so each key is judged here only once.
    if (event->type() == QEvent::KeyPress && watched != this &&
        HandleKey(*static_cast<QKeyEvent*>(event), watched->property(kControlId).toUInt())) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void COptionsDlg::keyPressEvent(QKeyEvent* event) {
    // Only when the dialog itself has the keyboard: keys from a control
    // were judged where they arrived.
    const QWidget* focus = focusWidget();
    if ((focus == nullptr || focus == this) && HandleKey(*event, 0)) {
        return;
    }
    QDialog::keyPressEvent(event);
}

bool COptionsDlg::HandleKey(const QKeyEvent& key, std::uint32_t controlId) {
    if (key.key() == Qt::Key_F1) {
        m_app.ShowHelp(controlId);
        return false;
    }
    return m_variant.optionsDialog.digitKeysOnly && !LarkKeyPasses(key);
}
