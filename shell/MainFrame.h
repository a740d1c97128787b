#pragma once

// The main window: an MDI frame with the menus, holding the one channel
// window of the current document. It owns the Product Information dialog and
// the command table: every command, whether the channel view's (Read, Write,
// Com Setup) or the frame's, is an entry there, and OnCommand runs it. Every
// action carries its command id, which is also the context number of its
// help topic.

#include "CommandIds.h"
#include "CommandTable.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class CChannelView;
class CChildFrame;
class CProductInfoDlg;
class CProgrammerDoc;
class CViewLink;
class QAction;
class QMdiArea;
class QMenu;

namespace radio {
class CAppContext;
}

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(radio::CAppContext& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command id (null when the menus have none).
    QAction* Action(int commandId) const;
    QMenu* Menu(const QString& title) const;
    // Runs a command as its menu item does. True when it ran, or was refused
    // because a transfer is running (the status bar says so); false when the
    // command is unknown or nobody handles it now.
    bool OnCommand(int commandId);
    // The table; commands added later show in no menu but run by OnCommand.
    radio::CCommandTable& Commands() { return m_commands; }
    // Enables the actions by the table.
    void UpdateCommandStates();

    // The document window, its document and view (null before the first).
    CChildFrame* ActiveChild() const { return m_pChild; }
    CProgrammerDoc* ActiveDocument() const;
    CChannelView* ActiveView() const;
    // The radio link of the shown document's view.
    CViewLink* ActiveLink() const;
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

    // Whether a transfer with the radio is running in the shown view.
    bool IsTransferring() const;
    // While a transfer with the radio runs, says so in the status bar and
    // returns true: the caller must not close or replace the document
    // window, nor end the program.
    bool RefuseWhileTransferring();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddCommands();
    QAction* AddAction(QMenu* menu, int commandId);
    void CreateMenus();
    void OnFileOpen();
    void ShowDocument(std::unique_ptr<CProgrammerDoc> document);
    void OnAppAbout();
    void ShowFileError(bool saving, const std::string& error);

    radio::CAppContext& m_app;
    QMdiArea* m_mdiArea;
    CChildFrame* m_pChild = nullptr;
    std::unique_ptr<CProductInfoDlg> m_productInfoDlg;
    radio::CCommandTable m_commands;
    std::map<int, QAction*> m_actions;
};
