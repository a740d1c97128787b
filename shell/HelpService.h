#pragma once

// Context help: the one show-help operation of the programmers. Menu commands
// pass their command id, F1 in the channel view and in the dialogs the id of
// the focused control. On Windows the topic opens in HTML Help; elsewhere in
// the built-in help window.

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class CHelpWindow;

// Where a help request ends up; tests put a recorder here.
class IHelpSink {
public:
    virtual ~IHelpSink() = default;
    virtual void Show(std::uint32_t context) = 0;
};

class CHelpService {
public:
    // fileName is the bare help file name ("enHelp.chm" or "chHelp.chm"); the
    // file is looked for beside the program. owner may be null while the main
    // window does not exist yet.
    explicit CHelpService(std::string fileName, QWidget* owner = nullptr);
    ~CHelpService();
    CHelpService(const CHelpService&) = delete;
    CHelpService& operator=(const CHelpService&) = delete;

    // The help file name that belongs to the interface language.
    static std::string FileNameFor(bool chinese);

    void ShowHelp(std::uint32_t context);

    void SetOwner(QWidget* owner);
    QWidget* Owner() const { return m_owner; }
    // Replaces the platform viewer (not owned; null restores it).
    void SetSink(IHelpSink* sink) { m_sink = sink; }

    const std::string& FileName() const { return m_fileName; }
    // The directory searched for the file: the program's own by default.
    void SetDirectory(std::string directory) { m_directory = std::move(directory); }
    std::string FilePath() const;

    // The built-in help window once it has been shown (never on Windows).
    CHelpWindow* Window() const;

private:
    class CPlatformSink;

    std::string m_fileName;
    std::string m_directory;
    QPointer<QWidget> m_owner;
    IHelpSink* m_sink = nullptr;
    std::unique_ptr<CPlatformSink> m_platform;
};
