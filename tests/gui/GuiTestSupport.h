#pragma once

// Starts a programmer window in a temporary folder with its own profile, a
// settings store in memory, and message boxes, file dialogs and help that
// the test answers and records: the test's own services.

#include "AppContext.h"
#include "ChannelView.h"
#include "ChildFrame.h"
#include "Document.h"
#include "FileDialogs.h"
#include "HelpService.h"
#include "MainFrame.h"
#include "MessageBoxes.h"
#include "ProcessStarter.h"
#include "ProgrammerApp.h"
#include "Services.h"
#include "SettingsStore.h"
#include "Variant.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class RecordingHelpSink : public IHelpSink {
public:
    void Show(std::uint32_t context) override { contexts.push_back(context); }
    std::vector<std::uint32_t> contexts;
};

// Message boxes answered by the test.
class AnsweringMessageBoxes : public radio::IMessageBoxes {
public:
    explicit AnsweringMessageBoxes(
        std::function<radio::MessageResult(const radio::MessageRequest&)> answer)
        : m_answer(std::move(answer)) {}
    radio::MessageResult Show(const radio::MessageRequest& request) override {
        return m_answer(request);
    }

private:
    std::function<radio::MessageResult(const radio::MessageRequest&)> m_answer;
};

// File dialogs that give the name the test chose (or cancel).
class ScriptedFileDialogs : public radio::IFileDialogs {
public:
    explicit ScriptedFileDialogs(const std::optional<std::string>& next) : m_next(next) {}
    std::optional<std::string> AskDatFileName(QWidget*, radio::FileDialogKind,
                                              const std::string&) override {
        return m_next;
    }
    std::optional<std::string> AskPdfFileName(QWidget*, const std::string&) override {
        return m_next;
    }
    std::optional<std::string> AskFolder(QWidget*, const std::string&) override { return m_next; }

private:
    const std::optional<std::string>& m_next;
};

// Records the programs started instead of starting them, with the profile
// as it was on disk at that moment.
class RecordingProcessStarter : public radio::IProcessStarter {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string profileOnDisk;
    };
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       std::string& error) override;

    std::string profilePath; // read at each start
    std::vector<Start> starts;
    bool fail = false;
};

// A profile with a small catalogue: type "T-1" in 136 - 174 MHz and
// 400 - 470 MHz, type "T-2" in 400 - 470 MHz.
std::string TestProfile(const std::string& language);

class ProgrammerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the programmer in the test's folder, with the test profile in
    // the given language beside it (none for `writeProfile` false) and the
    // built language libraries; false when its start-up failed.
    bool Start(radio::Model model, const std::string& language = "English",
               const QStringList& arguments = {}, bool writeProfile = true);
    // Starts with this profile text instead of the test profile.
    bool StartWithProfile(radio::Model model, const std::string& profile,
                          const QStringList& arguments = {});

    // The programmer of `model` as it is in the folder now.
    bool Launch(radio::Model model, const QStringList& arguments = {});

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    radio::CAppContext& App() const { return m_app->Context(); }
    CChannelView* View() const { return Frame()->ActiveView(); }
    CMSFlexGrid& Grid() const { return View()->Grid(); }
    CProgrammerDoc* Document() const { return Frame()->ActiveDocument(); }
    // The channel window's title as shown: "*" after it while modified.
    std::string ChildTitle() const;
    std::string Path(const std::string& name) const;

    // User input: a click on a cell, typing into the shown editor (replacing
    // its text), keys to the widget that has the keyboard.
    void ClickCell(int row, int col);
    void TypeIntoEditor(const std::string& text);
    void PressKey(Qt::Key key);
    QWidget* ShownEditor() const;
    std::vector<std::string> RowTexts(int row) const;

    // Runs `inDialog` on the next modal dialog as soon as it is open.
    template <typename Dialog> static void OnNextDialog(std::function<void(Dialog&)> inDialog) {
        QTimer::singleShot(0, [inDialog] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            inDialog(*dialog);
        });
    }

    // The answer to the next message box; by default m_answer.
    virtual radio::MessageResult Answer(const radio::MessageRequest& request);

    QTemporaryDir m_dir;
    radio::CMemorySettingsStore m_store;
    RecordingHelpSink m_help;
    std::vector<radio::MessageRequest> m_messages;
    radio::MessageResult m_answer = radio::MessageResult::Ok;
    std::optional<std::string> m_nextFile;
    AnsweringMessageBoxes m_messageBoxes{
        [this](const radio::MessageRequest& request) { return Answer(request); }};
    ScriptedFileDialogs m_fileDialogs{m_nextFile};
    RecordingProcessStarter m_processes;
    // What the programmer is started with; subclasses add their own.
    radio::CServices m_services;
    std::unique_ptr<CProgrammerApp> m_app;
};
