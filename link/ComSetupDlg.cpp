#include "ComSetupDlg.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "CommandIds.h"
#include "DialogUnits.h"
#include "PortNames.h"
#include "SettingsStore.h"
#include "Texts.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

namespace {

constexpr char kComValue[] = "com";

std::string PortName(int number) {
    return "com" + std::to_string(number);
}

} // namespace

CComSetupDlg::CComSetupDlg(radio::CAppContext& app, CChannelView* view)
    : QDialog(nullptr), m_app(app), m_pView(view), m_group(new QButtonGroup(this)),
      m_ok(new QPushButton(tr("OK"), this)), m_cancel(new QPushButton(tr("Cancel"), this)) {
    // Template 135.
    setWindowTitle(tr("COM Setup"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    const radio::CDialogUnits units(*this);
    setFixedSize(units.Size(178, 109));
    auto* box = new QGroupBox(QStringLiteral("COM"), this);
    box->setGeometry(units.Rect(20, 13, 139, 57));
    const QRect places[kPortCount] = {units.Rect(37, 28, 34, 11), units.Rect(105, 28, 34, 11),
                                      units.Rect(37, 50, 34, 11), units.Rect(105, 50, 34, 11)};
    for (int i = 0; i < kPortCount; ++i) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
        // Over the group box, in the dialog's coordinates as the template
        // places them.
        button->setGeometry(places[i].adjusted(0, 0, 12, 0));
        button->setProperty("controlId", kFirstPortId + i);
        m_group->addButton(button, i);
        m_ports[static_cast<std::size_t>(i)] = button;
    }
    m_ok->setGeometry(units.Rect(33, 81, 35, 14));
    m_cancel->setGeometry(units.Rect(109, 82, 35, 14));
    m_ok->setDefault(true);
    m_ok->setProperty("controlId", 1);
    m_cancel->setProperty("controlId", 2);
    connect(m_ok, &QPushButton::clicked, this, &CComSetupDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CComSetupDlg::~CComSetupDlg() = default;

std::string CComSetupDlg::AppName() const {
    return m_app.ProfileText("Setup", "AppName");
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
            m_app.Settings().ReadDword(AppName(), kComValue);
        stored && *stored >= 1 && *stored <= static_cast<std::uint32_t>(kPortCount)) {
        m_nPort = static_cast<int>(*stored);
    }
    m_nPort -= 1;
    UpdateData(false);
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
    const std::vector<radio::SerialDeviceInfo> devices = radio::ListSerialDevices();
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
    UpdateData(true);
    if (m_nPort < 0) {
        // Nothing chosen: nothing to change.
        accept();
        return;
    }
    const std::string appName = AppName();
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
