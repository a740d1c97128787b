#include "SelectProductDlg.h"

#include "DialogUnits.h"
#include "Gbk.h"
#include "IniFile.h"
#include "Pictures.h"
#include "ProcessStarter.h"
#include "ProductTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The product names end in a line feed, as the list has always held them;
// shown, the line feed would push the name out of its one-line box.
QString Shown(QString text) {
    while (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

class CProductDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = Shown(option->text);
    }
};

class CProductBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText = Shown(option.currentText);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

QString ProfileText(const radio::CIniFile& profile, const char* key) {
    return QString::fromStdString(radio::ProfileTextToUtf8(profile.GetValue("Setup", key, "")));
}

} // namespace

CSelectProductDlg::CSelectProductDlg(radio::CIniFile& profile, std::string launcherPath,
                                     radio::IProcessStarter& starter, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_launcherPath(std::move(launcherPath)),
      m_starter(starter), m_label(new QLabel(this)), m_product(new CProductBox(this)),
      m_chinese(new QCheckBox(this)), m_english(new QCheckBox(this)), m_ok(new QPushButton(this)),
      m_cancel(new QPushButton(this)) {
    m_showError = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    setWindowTitle(QStringLiteral("App"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    const radio::CDialogUnits units(*this);
    setFixedSize(units.Size(175, 108));
    m_ok->setGeometry(units.Rect(35, 77, 32, 14));
    m_cancel->setGeometry(units.Rect(106, 77, 32, 14));
    m_product->setGeometry(units.Rect(87, 47, 61, 12));
    m_product->setItemDelegate(new CProductDelegate(m_product));
    m_label->setGeometry(units.Rect(19, 48, 48, 9));
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_chinese->setGeometry(units.Rect(34, 23, 45, 11));
    m_english->setGeometry(units.Rect(100, 23, 45, 11));
    m_ok->setDefault(true);
    m_ok->setProperty("controlId", 1);
    m_cancel->setProperty("controlId", 2);
    m_product->setProperty("controlId", 1000);
    m_label->setProperty("controlId", 1001);
    m_chinese->setProperty("controlId", 1002);
    m_english->setProperty("controlId", 1003);

    // The program's icon: the one beside it, else our own picture.
    const QString file =
        QString::fromStdString(radio::CIniFile::ProgramDirectoryOf(m_launcherPath) + "/title.ico");
    setWindowIcon(QFileInfo::exists(file) ? QIcon(file) : radio::TitleIcon());

    // The two boxes act as a pair: a click always leaves the clicked one set.
    connect(m_chinese, &QCheckBox::clicked, this, [this] { SetLanguage(true); });
    connect(m_english, &QCheckBox::clicked, this, [this] { SetLanguage(false); });
    connect(m_ok, &QPushButton::clicked, this, &CSelectProductDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int CSelectProductDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CSelectProductDlg::OnInitDialog() {
    m_product->clear();
    for (const std::string& name : launcher::SplitTypes(m_profile.GetValue("Setup", "Type", ""))) {
        m_product->addItem(QString::fromStdString(radio::ProfileTextToUtf8(name)) +
                           QLatin1Char('\n'));
    }
    // An index outside the list leaves nothing selected.
    m_product->setCurrentIndex(std::atoi(m_profile.GetValue("Setup", "Default", "").c_str()));
    if (m_product->currentIndex() < 0 || m_product->currentIndex() >= m_product->count()) {
        m_product->setCurrentIndex(-1);
    }
    setWindowTitle(ProfileText(m_profile, "AppName"));
    SetLanguage(m_profile.GetValue("Setup", "Language", "") != "English");
}

void CSelectProductDlg::SetLanguage(bool chinese) {
    m_bChinese = chinese;
    m_chinese->setText(Text(launcher::kChineseBox.In(chinese)));
    m_english->setText(Text(launcher::kEnglishBox.In(chinese)));
    m_label->setText(Text(launcher::kSelectProduct.In(chinese)));
    m_ok->setText(Text(launcher::kOk.In(chinese)));
    m_cancel->setText(Text(launcher::kCancel.In(chinese)));
    m_chinese->setChecked(chinese);
    m_english->setChecked(!chinese);
    m_profile.SetValue("Setup", "Language", chinese ? "Chinese" : "English");
}

void CSelectProductDlg::OnOK() {
    const int selection = m_product->currentIndex();
    const launcher::ProductRow& row = launcher::ProductFor(selection);
    {
        // The programmer reads its language from its profile when it starts.
        radio::CIniFile programProfile;
        programProfile.OpenInProgramDir(m_launcherPath, row.profileFile);
        if (m_chinese->isChecked()) {
            programProfile.SetValue("Setup", "Language", "Chinese");
        } else if (m_english->isChecked()) {
            programProfile.SetValue("Setup", "Language", "English");
        }
        programProfile.Save();
    }
    const std::string program =
        radio::CIniFile::ProgramDirectoryOf(m_launcherPath) + "/" + launcher::ProgramFileName(row);
    std::string error;
    if (!m_starter.StartDetached(program, {}, error)) {
        // Said, and the dialog stays: the user may pick another one.
        m_showError(Text(launcher::kNotStarted.In(m_bChinese))
                        .arg(QString::fromUtf8(row.program), QString::fromStdString(error)));
        return;
    }
    m_profile.SetValue("Setup", "Default", std::to_string(selection));
    accept();
}
