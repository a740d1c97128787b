#pragma once

// The main window: an MDI frame with the menus, holding the one channel
// window of the current document. It owns the Product Information dialog and
// routes the menu commands: the channel view answers first (Read, Write, Com
// Setup, ...), then the frame. Every action carries its command id, which is
// also the context number of its help topic.

#include "Variant.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CChannelView;
class CChildFrame;
class CProductInfoDlg;
class CProgrammerDoc;
class QAction;
class QMdiArea;
class QMenu;

namespace cmd {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelp = 57670;
inline constexpr int kRead = 32773;
inline constexpr int kWrite = 32774;
inline constexpr int kComSetup = 32777;
inline constexpr int kScanInfo = 32782;
inline constexpr int kProductInformation = 32786;
inline constexpr int kChannelInformation = 32787;
inline constexpr int kOptionalFeatures = 32788;
inline constexpr int kLanguage = 32799;
} // namespace cmd

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(const radio::ModelVariant& variant, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command id (null when the menus have none).
    QAction* Action(int commandId) const;
    QMenu* Menu(const QString& title) const;
    using CommandHandler = std::function<void()>;
    // Runs a command as its menu item does (the view first, then the
    // handlers added here, then the frame's own); false when nobody does.
    bool OnCommand(int commandId);
    // Adds (or with an empty handler removes) a command of the frame.
    void SetCommandHandler(int commandId, CommandHandler handler);
    // Enables the commands that the channel view answers.
    void UpdateCommandStates();

    // The document window, its document and view (null before the first).
    CChildFrame* ActiveChild() const { return m_pChild; }
    CProgrammerDoc* ActiveDocument() const;
    CChannelView* ActiveView() const;
    QMdiArea* MdiArea() const { return m_mdiArea; }
    CProductInfoDlg* ProductInfoDialog() const { return m_productInfoDlg.get(); }

    // File New: asks before the shown document is dropped.
    bool OnFileNew();
    // Creates a new document without asking.
    void NewDocument();
    // Opens a .dat file into a new document that replaces the shown one; on
    // failure says why and keeps the shown document.
    bool OpenDocumentFile(const std::string& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    // GridToImage, then the file; says why when it fails.
    bool SaveDocument(const std::string& path);
    void OnFileClose();
    void OnChannelInformation();
    void OnProductInformation();

    // While a transfer with the radio runs, says so in the status bar and
    // returns true: the caller must not close or replace the document
    // window, nor end the program.
    bool RefuseWhileTransferring();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* AddAction(QMenu* menu, const QString& text, int commandId,
                       const QKeySequence& shortcut = {});
    void CreateMenus();
    static bool HasBuiltInCommand(int commandId);
    void ShowDocument(std::unique_ptr<CProgrammerDoc> document);
    void OnAppAbout();
    void ShowFileError(bool saving, const std::string& error);

    const radio::ModelVariant& m_variant;
    QMdiArea* m_mdiArea;
    CChildFrame* m_pChild = nullptr;
    std::unique_ptr<CProductInfoDlg> m_productInfoDlg;
    std::map<int, QAction*> m_actions;
    std::map<int, CommandHandler> m_commands;
};
