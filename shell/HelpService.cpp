#include "HelpService.h"

#include "HelpWindow.h"

#include <QApplication>
#include <QDir>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
constexpr UINT kHhHelpContext = 0x0F;
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
#endif

} // namespace

// The platform's viewer: HTML Help on Windows, the built-in window elsewhere.
class CHelpService::CPlatformSink : public IHelpSink {
public:
    explicit CPlatformSink(CHelpService& service) : m_service(service) {}

    ~CPlatformSink() override {
        // The window belongs to the owner when there is one; otherwise to us.
        if (m_window && m_window->parent() == nullptr) {
            delete m_window;
        }
    }

    void Show(std::uint32_t context) override {
#ifdef _WIN32
        // HTML Help is bound at the first request; when that fails, every
        // later request is dropped silently.
        if (!m_bound) {
            m_bound = true;
            HMODULE library = LoadLibraryA("hhctrl.ocx");
            if (library != nullptr) {
                m_htmlHelp = reinterpret_cast<HtmlHelpFn>(GetProcAddress(library, "HtmlHelpA"));
            }
        }
        if (m_htmlHelp == nullptr) {
            return;
        }
        QWidget* owner = m_service.Owner();
        HWND hwnd = owner != nullptr ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
        // The full path: a bare name would be looked for in the current
        // directory, which need not be the program's.
        const QByteArray file = QString::fromStdString(m_service.FilePath()).toLocal8Bit();
        m_htmlHelp(hwnd, file.constData(), kHhHelpContext, static_cast<DWORD_PTR>(context));
#else
        const QString path = QString::fromStdString(m_service.FilePath());
        // A modal dialog blocks every window but its own, so help asked for
        // from a dialog belongs to that dialog while it is open.
        QWidget* parent = QApplication::activeModalWidget();
        if (parent == nullptr) {
            parent = m_service.Owner();
        }
        if (!m_window) {
            m_window =
                new CHelpWindow(m_service.FileName() == CHelpService::FileNameFor(true), parent);
            m_openedPath.clear();
        } else if (m_window->parentWidget() != parent) {
            m_window->setParent(parent, Qt::Window);
        }
        // Opened again after a failure, so that a file installed later is found.
        if (m_openedPath != path || !m_window->IsFileOpen()) {
            m_window->OpenFile(path);
            m_openedPath = path;
        }
        m_window->ShowContext(context);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
#endif
    }

    CHelpWindow* Window() const {
        return m_window;
    }

private:
    CHelpService& m_service;
    QPointer<CHelpWindow> m_window;
    QString m_openedPath;
#ifdef _WIN32
    bool m_bound = false;
    HtmlHelpFn m_htmlHelp = nullptr;
#endif
};

CHelpService::CHelpService(std::string fileName, QWidget* owner)
    : m_fileName(std::move(fileName)), m_owner(owner),
      m_platform(std::make_unique<CPlatformSink>(*this)) {}

CHelpService::~CHelpService() = default;

std::string CHelpService::FileNameFor(bool chinese) {
    return chinese ? "chHelp.chm" : "enHelp.chm";
}

void CHelpService::ShowHelp(std::uint32_t context) {
    if (m_sink != nullptr) {
        m_sink->Show(context);
    } else {
        m_platform->Show(context);
    }
}

void CHelpService::SetOwner(QWidget* owner) {
    m_owner = owner;
}

std::string CHelpService::FilePath() const {
    QString directory = QString::fromStdString(m_directory);
    if (directory.isEmpty() && QCoreApplication::instance() != nullptr) {
        directory = QCoreApplication::applicationDirPath();
    }
    const QString name = QString::fromStdString(m_fileName);
    return (directory.isEmpty() ? name : QDir(directory).filePath(name)).toStdString();
}

CHelpWindow* CHelpService::Window() const {
    return m_platform->Window();
}
