#include "ScanInfoDlg.h"

#include "AppContext.h"
#include "MessageBoxes.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr char kControlId[] = "controlId";

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CSpinButton::CSpinButton(int controlId, QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    setProperty(kControlId, controlId);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(16, 11);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { emit Delta(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Delta(-1); });
    buddy->installEventFilter(this);
}

bool CSpinButton::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys in the edit beside it work the spin.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            if (isEnabled()) {
                emit Delta(key == Qt::Key_Up ? 1 : -1);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

CScanInfoDlg::CScanInfoDlg(radio::CAppContext& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_priority(new QComboBox(this)), m_channel(new QLineEdit(this)),
      m_revert(new QComboBox(this)), m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(tr("Scan Infomation"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    const radio::Language resources = m_app.language.resourceLanguage;
    for (const radio::TextPair& item : radio::kScanPriorities) {
        m_priority->addItem(Text(item.In(resources)));
    }
    m_channel->setMaxLength(2);
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int i = 0; i < 2; ++i) {
        m_lookBack[i] = new QLineEdit(this);
        m_lookBackSpin[i] = new CSpinButton(1008 + i, m_lookBack[i], this);
        m_timers[i] = new QLineEdit(this);
        m_timers[i]->setValidator(digits);
        m_timerSpin[i] = new CSpinButton(1010 + i, m_timers[i], this);
        connect(m_lookBackSpin[i], &CSpinButton::Delta, this,
                [this, i](int delta) { OnLookBackSpin(i, delta); });
        connect(m_timerSpin[i], &CSpinButton::Delta, this,
                [this, i](int delta) { OnTimerSpin(i, delta); });
    }
    m_priority->setProperty(kControlId, 1001);
    m_revert->setProperty(kControlId, 1002);
    m_channel->setProperty(kControlId, 1003);
    m_lookBack[0]->setProperty(kControlId, 1004);
    m_lookBack[1]->setProperty(kControlId, 1005);
    m_timers[0]->setProperty(kControlId, 1006);
    m_timers[1]->setProperty(kControlId, 1007);
    m_ok->setProperty(kControlId, 1);
    m_cancel->setProperty(kControlId, 2);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const radio::TextPair& label, QWidget* control, QWidget* spin) {
        auto* caption = new QLabel(Text(label.In(resources)), this);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, row, 0);
        grid->addWidget(control, row, 1);
        if (spin != nullptr) {
            grid->addWidget(spin, row, 2);
        }
        ++row;
    };
    addRow(radio::kScanPriorityLabel, m_priority, nullptr);
    addRow(radio::kScanPriorityChannelLabel, m_channel, nullptr);
    addRow(radio::kScanLookBackALabel, m_lookBack[0], m_lookBackSpin[0]);
    addRow(radio::kScanLookBackBLabel, m_lookBack[1], m_lookBackSpin[1]);
    addRow(radio::kScanRevertLabel, m_revert, nullptr);
    addRow(radio::kScanDropoutLabel, m_timers[0], m_timerSpin[0]);
    addRow(radio::kScanTxDwellLabel, m_timers[1], m_timerSpin[1]);
    m_revert->setMinimumContentsLength(14);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_ok->setDefault(true);

    connect(m_priority, &QComboBox::currentIndexChanged, this, &CScanInfoDlg::OnPriorityChanged);
    connect(m_ok, &QPushButton::clicked, this, &CScanInfoDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* edit : {m_lookBack[0], m_lookBack[1], m_timers[0], m_timers[1]}) {
        edit->installEventFilter(this);
    }
}

int CScanInfoDlg::DoModal(radio::Image& image) {
    m_pImage = &image;
    OnInitDialog();
    const int result = exec();
    m_pImage = nullptr;
    return result;
}

void CScanInfoDlg::OnInitDialog() {
    m_values = radio::LoadScanValues(*m_pImage);
    const radio::ScanValues loaded = m_values;
    {
        const QSignalBlocker blocker(m_priority);
        m_priority->setCurrentIndex(loaded.priority);
    }
    OnPriorityChanged(loaded.priority);
    m_values = loaded;
    ShowValues();
    m_priority->setFocus();
}

void CScanInfoDlg::OnPriorityChanged(int priority) {
    const bool fixed = priority == radio::scan::kFixed;
    m_channel->setEnabled(fixed);
    for (int i = 0; i < 2; ++i) {
        m_lookBack[i]->setEnabled(fixed);
        m_lookBackSpin[i]->setEnabled(fixed);
    }
    if (!fixed) {
        m_channel->clear();
    }
    // The reverts that make sense for this kind of priority, first chosen.
    m_revert->clear();
    for (const radio::TextPair& item : radio::RevertChoices(priority)) {
        m_revert->addItem(Text(item.In(m_app.language.textLanguage)));
    }
    m_revert->setCurrentIndex(0);
}

bool CScanInfoDlg::ReadControls() {
    radio::ScanValues read;
    read.priority = m_priority->currentIndex();
    read.priorityChannel = m_channel->text().toStdString();
    read.revert = m_revert->currentIndex();
    const auto fail = [this](QLineEdit* edit, const QString& message) {
        const bool busy = m_bBusy;
        m_bBusy = true;
        m_app.ShowMessage(this, message.toStdString(), m_app.language.displayName,
                          radio::MessageIcon::Exclamation);
        edit->setFocus();
        edit->selectAll();
        m_bBusy = busy;
        return false;
    };
    for (int i = 0; i < 2; ++i) {
        double& t = i == 0 ? read.lookBackA : read.lookBackB;
        if (!radio::ParseDialogNumber(m_lookBack[i]->text().toStdString(), t)) {
            return fail(m_lookBack[i], tr("Please enter a number."));
        }
        int& v = i == 0 ? read.dropoutDelay : read.txDwell;
        if (!radio::ParseDialogInteger(m_timers[i]->text().toStdString(), v)) {
            return fail(m_timers[i], tr("Please enter an integer."));
        }
    }
    m_values = read;
    return true;
}

void CScanInfoDlg::ShowValues() {
    m_channel->setText(QString::fromStdString(m_values.priorityChannel));
    m_lookBack[0]->setText(QString::fromStdString(radio::FormatLookBack(m_values.lookBackA)));
    m_lookBack[1]->setText(QString::fromStdString(radio::FormatLookBack(m_values.lookBackB)));
    m_revert->setCurrentIndex(m_values.revert);
    m_timers[0]->setText(QString::number(m_values.dropoutDelay));
    m_timers[1]->setText(QString::number(m_values.txDwell));
}

void CScanInfoDlg::OnLookBackSpin(int which, int delta) {
    if (!ReadControls()) {
        return;
    }
    double& t = which == 0 ? m_values.lookBackA : m_values.lookBackB;
    t = radio::SpinLookBack(t, delta);
    ShowValues();
}

void CScanInfoDlg::OnTimerSpin(int which, int delta) {
    if (!ReadControls()) {
        return;
    }
    int& v = which == 0 ? m_values.dropoutDelay : m_values.txDwell;
    v = radio::SpinTimer(v, delta);
    ShowValues();
}

void CScanInfoDlg::OnEditLeft(QLineEdit* edit) {
    if (!ReadControls()) {
        return;
    }
    if (edit == m_lookBack[0] || edit == m_lookBack[1]) {
        double& t = edit == m_lookBack[0] ? m_values.lookBackA : m_values.lookBackB;
        t = radio::CorrectLookBack(t);
    } else {
        int& v = edit == m_timers[0] ? m_values.dropoutDelay : m_values.txDwell;
        v = radio::CorrectTimer(v);
    }
    ShowValues();
}

void CScanInfoDlg::OnOK() {
    if (!ReadControls()) {
        return;
    }
    if (!radio::StoreScanValues(m_app.variant, *m_pImage, m_values)) {
        // The channel is no programmed one: its selected text goes, and the
        // dialog stays open with nothing stored.
        if (m_channel->hasSelectedText()) {
            m_channel->del();
        }
        ReadControls();
        const bool busy = m_bBusy;
        m_bBusy = true;
        m_app.ShowMessage(this,
                          std::string(radio::kSelectChannelInputed.In(m_app.language.textLanguage)),
                          m_app.language.displayName, radio::MessageIcon::None);
        m_bBusy = busy;
        return;
    }
    accept();
}

bool CScanInfoDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !m_bBusy && isVisible()) {
        m_bBusy = true;
        OnEditLeft(static_cast<QLineEdit*>(watched));
        m_bBusy = false;
    }
    return QDialog::eventFilter(watched, event);
}
