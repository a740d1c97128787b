#include "ProductInfoDlg.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "CommandIds.h"
#include "ProductSelection.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr char kControlId[] = "controlId";

void Fill(QComboBox* box, const std::vector<std::string>& items) {
    box->clear();
    for (const std::string& item : items) {
        box->addItem(QString::fromStdString(item));
    }
}

} // namespace

CProductInfoDlg::CProductInfoDlg(radio::CAppContext& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_variant(app.variant), m_typeBox(new QComboBox),
      m_bandBox(new QComboBox), m_ok(new QPushButton(tr("OK"))),
      m_cancel(new QPushButton(tr("Cancel"))) {
    setWindowTitle(tr("Product Information"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    m_typeBox->setProperty(kControlId, 1013);
    m_bandBox->setProperty(kControlId, 1014);
    m_ok->setProperty(kControlId, 1);
    m_cancel->setProperty(kControlId, 2);
    m_typeBox->setMinimumContentsLength(16);
    m_bandBox->setMinimumContentsLength(16);

    auto* group = new QGroupBox(tr("Setting"));
    auto* form = new QFormLayout(group);
    form->addRow(new QLabel(tr("Type")), m_typeBox);
    form->addRow(new QLabel(tr("Frequency")), m_bandBox);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    connect(m_typeBox, &QComboBox::currentIndexChanged, this, &CProductInfoDlg::OnTypeChanged);
    connect(m_ok, &QPushButton::clicked, this, &CProductInfoDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget* control : {static_cast<QWidget*>(m_typeBox), static_cast<QWidget*>(m_bandBox),
                             static_cast<QWidget*>(m_ok), static_cast<QWidget*>(m_cancel)}) {
        control->installEventFilter(this);
    }
}

radio::CProductCatalogue CProductInfoDlg::Catalogue() const {
    return radio::CProductCatalogue(m_app.profile, m_app.language.languageSection);
}

int CProductInfoDlg::DoModal(radio::Image& image, CChannelView* view) {
    m_pImage = &image;
    m_pView = view;
    OnInitDialog();
    const int result = exec();
    m_pImage = nullptr;
    m_pView = nullptr;
    return result;
}

void CProductInfoDlg::OnInitDialog() {
    const radio::ProductDialogState state =
        radio::InitialDialogState(Catalogue(), m_app.Settings());
    m_bFilling = true;
    Fill(m_typeBox, state.types);
    m_typeBox->setCurrentIndex(state.typeSelection);
    Fill(m_bandBox, state.bands);
    m_bandBox->setCurrentIndex(state.bandSelection);
    m_bFilling = false;
    m_typeBox->setFocus();
}

void CProductInfoDlg::OnTypeChanged(int index) {
    if (m_bFilling) {
        return;
    }
    // A new type starts on its first band.
    Fill(m_bandBox, Catalogue().Bands(index));
    m_bandBox->setCurrentIndex(0);
}

void CProductInfoDlg::OnOK() {
    if (m_pImage != nullptr) {
        const radio::ProductOutcome outcome = radio::CommitProductChoice(
            Catalogue(), m_app.Settings(), m_typeBox->currentIndex(), m_bandBox->currentIndex(),
            m_typeBox->currentText().toStdString(), m_bandBox->currentText().toStdString(),
            *m_pImage, m_variant.typeOffset, m_variant.bandOffset);
        if (m_pView != nullptr) {
            m_pView->SetBandLimits(outcome.limits);
        }
        if (QWidget* frame = m_app.mainWindow) {
            frame->setWindowTitle(QString::fromStdString(outcome.title));
        }
    }
    accept();
}

bool CProductInfoDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        // Where the dialog has no F1 of its own, the dialog's topic shows.
        const bool ownTopics = m_variant.productDialogHelpPerControl;
        m_app.ShowHelp(ownTopics ? watched->property(kControlId).toUInt()
                                 : static_cast<std::uint32_t>(cmd::kProductInformation));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
