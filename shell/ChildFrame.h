#pragma once

// The channel window: the MDI child that holds the channel view of the one
// document. Closing it only hides it; Edit, Channel Information shows it
// again with its unsaved edits.

#include <QMdiSubWindow>

#include <memory>

class CChannelView;
class CProgrammerDoc;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    // Takes the document; creates its view.
    explicit CChildFrame(std::unique_ptr<CProgrammerDoc> document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CProgrammerDoc* GetDocument() const { return m_document.get(); }
    CChannelView* GetView() const { return m_pView; }

    // Sizes the window to its view (no larger than 1600 x 1200).
    void ResizeParentToFit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CProgrammerDoc> m_document;
    CChannelView* m_pView;
};
