#include "ComSetupDlg.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "CommandIds.h"
#include "DialogUnits.h"
#include "PortNames.h"
#include "SettingsStore.h"
#include "Texts.h"

#include "FileDialogs.h"
#include "IniFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include <string>
#include <vector>

namespace {

constexpr char kComValue[] = "com";
constexpr char kVerifyValue[] = "Verify";
constexpr char kBackupValue[] = "Backup";
constexpr char kBackupFolderValue[] = "BackupFolder";

std::string PortName(int number) {
    return "com" + std::to_string(number);
}

} // namespace

CComSetupDlg::CComSetupDlg(radio::CAppContext& app, CChannelView* view)
    : QDialog(nullptr), m_app(app), m_pView(view), m_group(new QButtonGroup(this)),
      m_ok(new QPushButton(tr("OK"), this)), m_cancel(new QPushButton(tr("Cancel"), this)) {
    // Template 135, grown by the write's safeguards below the ports.
    setWindowTitle(tr("COM Setup"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    const radio::CDialogUnits units(*this);
    CreateSafeguards();
    // The template's 139 units between the margins, or what the safeguards'
    // texts need in the language shown; the ports and buttons keep their
    // places relative to that width.
    const int left = units.Rect(20, 0, 0, 0).left();
    const int margin = units.Size(19, 0).width();
    const int template139 = units.Size(139, 0).width();
    const int content =
        std::max({template139, m_verify->sizeHint().width(), m_backup->sizeHint().width()});
    const auto across = [&](int x) { return left + (x - 20) * content / template139; };
    setFixedSize(left + content + margin, units.Size(0, 145).height());
    auto* box = new QGroupBox(QStringLiteral("COM"), this);
    box->setGeometry(
        QRect(left, units.Rect(0, 13, 0, 57).top(), content, units.Rect(0, 13, 0, 57).height()));
    const QRect places[kPortCount] = {units.Rect(37, 28, 34, 11), units.Rect(105, 28, 34, 11),
                                      units.Rect(37, 50, 34, 11), units.Rect(105, 50, 34, 11)};
    for (int i = 0; i < kPortCount; ++i) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
        // Over the group box, in the dialog's coordinates as the template
        // places them.
        QRect place = places[i].adjusted(0, 0, 12, 0);
        place.moveLeft(across(i % 2 == 0 ? 37 : 105));
        button->setGeometry(place);
        button->setProperty("controlId", kFirstPortId + i);
        m_group->addButton(button, i);
        m_ports[static_cast<std::size_t>(i)] = button;
    }
    // As wide as their texts: a click beside a text toggles nothing.
    m_verify->setGeometry(QRect(left, units.Rect(0, 76, 0, 10).top(), m_verify->sizeHint().width(),
                                units.Size(0, 10).height()));
    m_backup->setGeometry(QRect(left, units.Rect(0, 89, 0, 10).top(), m_backup->sizeHint().width(),
                                units.Size(0, 10).height()));
    // The folder under the backup box's text, the browse button at its end.
    const int indent = units.Size(10, 0).width();
    const int browseWidth = units.Size(18, 0).width();
    const int gap = units.Size(3, 0).width();
    const QRect folderRow = units.Rect(0, 101, 0, 13);
    m_folder->setGeometry(QRect(left + indent, folderRow.top(),
                                content - indent - gap - browseWidth, folderRow.height()));
    m_browse->setGeometry(
        QRect(left + content - browseWidth, folderRow.top(), browseWidth, folderRow.height()));
    QRect ok = units.Rect(33, 124, 35, 14);
    ok.moveLeft(across(33));
    QRect cancel = units.Rect(109, 125, 35, 14);
    cancel.moveLeft(across(109));
    m_ok->setGeometry(ok);
    m_cancel->setGeometry(cancel);
    m_ok->setDefault(true);
    m_ok->setProperty("controlId", 1);
    m_cancel->setProperty("controlId", 2);
    connect(m_ok, &QPushButton::clicked, this, &CComSetupDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CComSetupDlg::CreateSafeguards() {
    m_verify = new QCheckBox(tr("Verify after write"), this);
    m_verify->setToolTip(tr("Read the radio back after writing and compare it with the data sent"));
    m_backup = new QCheckBox(tr("Back up the radio before writing"), this);
    m_backup->setToolTip(
        tr("Read the radio into a dated file in this folder first; if that fails, nothing is "
           "written"));
    m_folder = new QLineEdit(this);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setToolTip(tr("Choose the backup folder"));
    // Typing or choosing a folder only matters with the box ticked.
    const auto follow = [this] {
        m_folder->setEnabled(m_backup->isChecked());
        m_browse->setEnabled(m_backup->isChecked());
    };
    connect(m_backup, &QCheckBox::toggled, this, follow);
    connect(m_browse, &QPushButton::clicked, this, &CComSetupDlg::OnBrowseFolder);
    follow();
}

CComSetupDlg::~CComSetupDlg() = default;

std::string CComSetupDlg::AppName(const radio::CAppContext& app) {
    return app.ProfileText("Setup", "AppName");
}

radio::WriteOptions CWriteSafeguards::Options() const {
    radio::WriteOptions options;
    options.verify = verify;
    if (backup) {
        options.backupFolder = backupFolder;
    }
    return options;
}

CWriteSafeguards CComSetupDlg::StoredSafeguards(radio::CAppContext& app) {
    const std::string appName = AppName(app);
    radio::ISettingsStore& store = app.Settings();
    CWriteSafeguards safeguards;
    safeguards.verify = store.ReadDword(appName, kVerifyValue).value_or(0) != 0;
    safeguards.backup = store.ReadDword(appName, kBackupValue).value_or(0) != 0;
    safeguards.backupFolder = store.ReadString(appName, kBackupFolderValue).value_or("");
    if (safeguards.backupFolder.empty()) {
        safeguards.backupFolder = radio::DefaultBackupFolder();
    }
    return safeguards;
}

int CComSetupDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CComSetupDlg::OnInitDialog() {
    ProbePorts();
    DescribePorts();
    m_nPort = 1;
    // A stored number outside 1..4 would select no button and make OK store
    // a port that does not exist; it counts as missing.
    if (const std::optional<std::uint32_t> stored =
            m_app.Settings().ReadDword(AppName(m_app), kComValue);
        stored && *stored >= 1 && *stored <= static_cast<std::uint32_t>(kPortCount)) {
        m_nPort = static_cast<int>(*stored);
    }
    m_nPort -= 1;
    UpdateData(false);
    LoadSafeguards();
}

void CComSetupDlg::LoadSafeguards() {
    const CWriteSafeguards safeguards = StoredSafeguards(m_app);
    m_verify->setChecked(safeguards.verify);
    m_backup->setChecked(safeguards.backup);
    m_folder->setText(QString::fromStdString(safeguards.backupFolder));
    m_folder->setCursorPosition(0);
}

bool CComSetupDlg::SaveSafeguards() {
    const QString folder = QDir::cleanPath(m_folder->text().trimmed());
    // A backup needs a place that does not depend on where the program was
    // started from.
    if (m_backup->isChecked() && (folder.isEmpty() || !QDir::isAbsolutePath(folder))) {
        m_app.ShowMessage(this,
                          tr("Enter the full path of the folder for the backups.").toStdString(),
                          m_app.language.displayName, radio::MessageIcon::Exclamation);
        m_folder->setFocus();
        return false;
    }
    const std::string appName = AppName(m_app);
    radio::ISettingsStore& store = m_app.Settings();
    store.WriteDword(appName, kVerifyValue, m_verify->isChecked() ? 1 : 0);
    store.WriteDword(appName, kBackupValue, m_backup->isChecked() ? 1 : 0);
    if (!folder.isEmpty()) {
        store.WriteString(appName, kBackupFolderValue,
                          QDir::toNativeSeparators(folder).toStdString());
    }
    return true;
}

void CComSetupDlg::OnBrowseFolder() {
    if (const std::optional<std::string> folder =
            m_app.FileDialogs().AskFolder(this, m_folder->text().toStdString())) {
        m_folder->setText(QString::fromStdString(*folder));
        m_folder->setCursorPosition(0);
    }
}

void CComSetupDlg::ProbePorts() {
    // Exactly as the transfer opens them, so "enabled" means "a transfer
    // could open it now".
    for (int n = 1; n <= kPortCount; ++n) {
        std::string reason;
        std::unique_ptr<radio::ISerialPort> port = m_app.Ports().Open(PortName(n), reason);
        m_ports[static_cast<std::size_t>(n - 1)]->setEnabled(port != nullptr);
        if (port) {
            port->Close();
        }
    }
}

void CComSetupDlg::DescribePorts() {
#ifndef _WIN32
    // com1..com4 are names of our own here: show what each one opens.
    std::vector<radio::SerialDeviceInfo> devices = radio::ListSerialDevices();
    const auto listDevices = [&devices] { return devices; };
    const radio::Language lang = m_app.language.textLanguage;
    const auto profilePort = [this](int n) {
        return m_app.ProfileValue(radio::kPortSection, radio::ProfilePortKey(n));
    };
    static constexpr radio::TextPair kNoDevice{"No serial device", "没有串口设备"};
    for (int n = 1; n <= kPortCount; ++n) {
        const std::string device = radio::ResolvePortName(PortName(n), profilePort, listDevices);
        QString tip;
        if (device.empty()) {
            tip = QString::fromUtf8(kNoDevice.In(lang).data(),
                                    static_cast<qsizetype>(kNoDevice.In(lang).size()));
        } else {
            tip = QString::fromStdString(device);
            const QString canonical = QFileInfo(tip).canonicalFilePath();
            for (const radio::SerialDeviceInfo& info : devices) {
                const QString path = QString::fromStdString(info.path);
                if (!info.description.empty() &&
                    (path == tip ||
                     (!canonical.isEmpty() && QFileInfo(path).canonicalFilePath() == canonical))) {
                    tip += QStringLiteral("\n") + QString::fromStdString(info.description);
                    break;
                }
            }
        }
        m_ports[static_cast<std::size_t>(n - 1)]->setToolTip(tip);
    }
#endif
}

void CComSetupDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        m_nPort = m_group->checkedId();
        return;
    }
    if (m_nPort >= 0 && m_nPort < kPortCount) {
        // Even a disabled button: the remembered port stays the choice.
        m_ports[static_cast<std::size_t>(m_nPort)]->setChecked(true);
        return;
    }
    m_group->setExclusive(false);
    for (QRadioButton* button : m_ports) {
        button->setChecked(false);
    }
    m_group->setExclusive(true);
}

void CComSetupDlg::OnOK() {
    if (!SaveSafeguards()) {
        return;
    }
    UpdateData(true);
    if (m_nPort < 0) {
        // Nothing chosen: nothing to change.
        accept();
        return;
    }
    const std::string appName = AppName(m_app);
    if (m_pView != nullptr) {
        m_pView->m_strPort = PortName(m_nPort + 1);
    }
    m_app.Settings().WriteDword(appName, kComValue, static_cast<std::uint32_t>(m_nPort + 1));
    accept();
}

void CComSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_app.ShowHelp(cmd::kComSetup);
    }
    QDialog::keyPressEvent(event);
}
