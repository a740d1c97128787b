#include "LanguageDlg.h"

#include "AppContext.h"
#include "CommandIds.h"
#include "DialogUnits.h"
#include "IniFile.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

CLanguageDlg::CLanguageDlg(radio::CAppContext& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_english(new QRadioButton(tr("English"), this)),
      m_chinese(new QRadioButton(tr("Chinese"), this)), m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(tr("Language"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    const radio::CDialogUnits units(*this);
    setFixedSize(units.Size(178, 96));
    auto* box = new QGroupBox(tr("Language"), this);
    box->setGeometry(units.Rect(14, 10, 150, 44));
    m_english->setGeometry(units.Rect(30, 28, 55, 12));
    m_chinese->setGeometry(units.Rect(98, 28, 55, 12));
    m_ok->setGeometry(units.Rect(30, 68, 45, 14));
    m_cancel->setGeometry(units.Rect(104, 68, 45, 14));
    auto* group = new QButtonGroup(this);
    group->addButton(m_english);
    group->addButton(m_chinese);
    m_english->setProperty("controlId", 1006);
    m_chinese->setProperty("controlId", 1007);
    m_ok->setProperty("controlId", 1);
    m_cancel->setProperty("controlId", 2);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CLanguageDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int CLanguageDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CLanguageDlg::OnInitDialog() {
    (m_app.language.chinese ? m_chinese : m_english)->setChecked(true);
}

void CLanguageDlg::OnOK() {
    // Choosing the language in use changes nothing.
    if (m_chinese->isChecked() != m_app.language.chinese) {
        m_bChanged = true;
        m_app.profile.SetValue("Setup", "Language", m_app.language.chinese ? "English" : "Chinese");
    }
    accept();
}

void CLanguageDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_app.ShowHelp(cmd::kLanguage);
    }
    QDialog::keyPressEvent(event);
}
