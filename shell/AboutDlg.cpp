#include "AboutDlg.h"

#include "AppContext.h"
#include "DialogUnits.h"
#include "Pictures.h"

#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(const radio::CAppContext& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_icon(new QLabel(this)), m_version(new QLabel(this)),
      m_copyrights(new QLabel(this)), m_owner(new QLabel(this)),
      m_ok(new QPushButton(tr("OK"), this)) {
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    const radio::CDialogUnits units(*this);
    setFixedSize(units.Size(235, 66));
    m_icon->setGeometry(units.Rect(11, 10, 21, 20));
    m_version->setGeometry(units.Rect(40, 10, 186, 10));
    m_copyrights->setGeometry(units.Rect(40, 24, 186, 10));
    m_owner->setGeometry(units.Rect(40, 38, 140, 10));
    m_ok->setGeometry(units.Rect(186, 42, 40, 14));
    m_ok->setDefault(true);
    m_icon->setProperty("controlId", 1004);
    m_version->setProperty("controlId", 1001);
    m_copyrights->setProperty("controlId", 1002);
    m_owner->setProperty("controlId", 1003);
    m_ok->setProperty("controlId", 1);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    OnInitDialog();
}

QLabel* CAboutDlg::Line(int controlId) const {
    switch (controlId) {
    case 1001:
        return m_version;
    case 1002:
        return m_copyrights;
    case 1003:
        return m_owner;
    default:
        break;
    }
    return nullptr;
}

void CAboutDlg::OnInitDialog() {
    const std::string& section = m_app.language.languageSection;
    const auto text = [this, &section](const char* key) {
        return QString::fromStdString(m_app.ProfileText(section, key));
    };
    setWindowTitle(text("About Title"));
    m_version->setText(text("Version"));
    m_copyrights->setText(text("Copyrights"));
    m_owner->setText(text("Copyrights Owner"));
    // "title.ico" beside the program when it loads, else the built-in icon.
    const QString file = QString::fromStdString(m_app.language.programDirectory + "title.ico");
    QIcon icon;
    if (QFileInfo::exists(file)) {
        icon = QIcon(file);
    }
    if (icon.isNull()) {
        icon = radio::TitleIcon();
    }
    m_icon->setPixmap(icon.pixmap(32, 32));
}
