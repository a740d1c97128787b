#pragma once

// The channel window: the MDI child that holds the channel view of the one
// document, and gives the view its radio link (Read, Write, Com Setup).
// Closing it only hides it; Edit, Channel Information shows it again with
// its unsaved edits.

#include <QMdiSubWindow>

#include <memory>

class CChannelView;
class CLanguageDlg;
class CScanInfoDlg;
class CProgrammerDoc;
class CViewLink;

namespace radio {
class CAppContext;
}

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    // Takes the document; creates its view and the view's link.
    CChildFrame(radio::CAppContext& app, std::unique_ptr<CProgrammerDoc> document,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    CProgrammerDoc* GetDocument() const { return m_document.get(); }
    CChannelView* GetView() const { return m_pView; }
    CViewLink* GetLink() const { return m_pLink; }
    // The view's Language dialog: built with the view, kept as long.
    CLanguageDlg* LanguageDialog() const { return m_languageDlg.get(); }
    // ProgramLark's Scan Information dialog, likewise (null elsewhere).
    CScanInfoDlg* ScanInfoDialog() const { return m_scanInfoDlg.get(); }

    // The document's title, marked while it has unsaved changes.
    void UpdateTitle();

    // Sizes the window to its view (no larger than 1600 x 1200).
    void ResizeParentToFit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CProgrammerDoc> m_document;
    CChannelView* m_pView;
    CViewLink* m_pLink; // a child object of the view
    std::unique_ptr<CLanguageDlg> m_languageDlg;
    std::unique_ptr<CScanInfoDlg> m_scanInfoDlg;
};
