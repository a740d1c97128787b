#pragma once

// The main window: an MDI frame with the menus, the toolbar, the status bar,
// the navigation bar at its left edge and the painted background, holding
// the one channel window of the current document. It owns the Product
// Information dialog and the command table: every command, whether the
// channel view's (Read, Write, Com Setup, Language) or the frame's, is an
// entry there, and OnCommand runs it. Every action carries its command id,
// which is also the context number of its help topic.

#include "CommandIds.h"
#include "CommandTable.h"

#include <QMainWindow>

#include "MemoryImage.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class CChannelView;
class CChildFrame;
class CMdiClientWnd;
class CNavigationBar;
class COptionsDlg;
class CProductInfoDlg;
class CProgrammerDoc;
class CViewLink;
class QAction;
class QPrinter;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace radio {
class CAppContext;
class CChannelReport;
} // namespace radio

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(radio::CAppContext& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command id (null when neither menus nor keys have it).
    QAction* Action(int commandId) const;
    QMenu* Menu(const QString& title) const;
    // Runs a command as its menu item does. True when it ran, or was refused
    // because a transfer is running (the status bar says so); false when the
    // command is unknown or nobody handles it now.
    bool OnCommand(int commandId);
    // The table; commands added later show in no menu but run by OnCommand.
    radio::CCommandTable& Commands() { return m_commands; }
    // Enables and checks the actions by the table.
    void UpdateCommandStates();

    // The document window, its document and view (null before the first).
    CChildFrame* ActiveChild() const { return m_pChild; }
    CProgrammerDoc* ActiveDocument() const;
    CChannelView* ActiveView() const;
    // The radio link of the shown document's view.
    CViewLink* ActiveLink() const;
    QMdiArea* MdiArea() const;
    CMdiClientWnd* MdiClient() const { return m_mdiArea; }
    CNavigationBar* NavigationBar() const { return m_navigationBar; }
    QToolBar* ToolBar() const { return m_toolBar; }
    CProductInfoDlg* ProductInfoDialog() const { return m_productInfoDlg.get(); }
    COptionsDlg* OptionsDialog() const { return m_optionsDlg.get(); }

    // File New: asks 61452 before the shown document is dropped.
    bool OnFileNew();
    // Creates a new document without asking.
    void NewDocument();
    // Opens a .dat file into a new document that replaces the shown one. A
    // file longer than the image is opened only after the user agreed; the
    // shown document's unsaved changes are asked about first. On failure or
    // Cancel the shown document stays.
    bool OpenDocumentFile(const std::string& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    // GridToImage, then the file; says why when it fails.
    bool SaveDocument(const std::string& path);
    void OnFileClose();
    void OnChannelInformation();
    void OnProductInformation();
    void OnOptionalFeatures();
    // Another programmer's file: which one, then its channels replace this
    // document's, with a notice of what was left out.
    void OnCopyChannelsFrom();
    // The report: printed after the print dialog, straight to the default
    // printer, previewed, or saved as a PDF; Print Setup picks the paper.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnExportPdf();
    // ProgramLark: the grid into the image, then Scan Information.
    void OnScanInfo();
    // Save / Discard / Cancel when the document has unsaved changes; false
    // when the user cancelled (or a save failed): keep everything as it is.
    bool SaveModified();

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
    QAction* MakeAction(int commandId);
    QAction* AddAction(QMenu* menu, int commandId);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateNavigationBar();
    void OnFileOpen();
    void ShowDocument(std::unique_ptr<CProgrammerDoc> document);
    void OnAppAbout();
    void OnLanguage();
    void OnControlBar();
    // F6 and Shift+F6: the keyboard goes to the next (previous) pane.
    void OnNextPane(bool forward);
    void OnTreeItem(int child);
    bool AskOkCancel(const std::string& text);
    // Runs `edit` on the shown document's image; a change marks it modified.
    void EditImage(const std::function<void(radio::Image&)>& edit);
    void ShowFileError(bool saving, const std::string& error);
    void UpdateLockIndicators();
    // The report of the shown document as it is now; null without one.
    std::unique_ptr<radio::CChannelReport> Report() const;
    // The printer of Print Setup, kept for the session.
    QPrinter& Printer();
    void PrintReport(QPrinter& printer);

    radio::CAppContext& m_app;
    CMdiClientWnd* m_mdiArea;
    CNavigationBar* m_navigationBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    CChildFrame* m_pChild = nullptr;
    std::unique_ptr<COptionsDlg> m_optionsDlg;
    std::unique_ptr<CProductInfoDlg> m_productInfoDlg;
    radio::CCommandTable m_commands;
    std::map<int, QAction*> m_actions;
    // CAPS, NUM, SCRL, where the platform tells their state.
    std::map<int, QLabel*> m_lockIndicators;
    std::unique_ptr<QPrinter> m_printer;
};
