#pragma once

// The built-in help viewer: a small window that shows the topics of a
// compiled help file, chosen by context number, and follows the links between
// them. Pages, pictures and style sheets are all read from the help file.

#include "HelpFile.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <cstdint>

class QTextBrowser;
class QToolBar;
class CHelpBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit CHelpWindow(bool chinese = false, QWidget* parent = nullptr);
    ~CHelpWindow() override;

    // Opens the help file; on failure the window says so instead of a topic.
    bool OpenFile(const QString& path);
    bool IsFileOpen() const { return m_file.IsOpen(); }
    const CHelpFile& File() const { return m_file; }

    // Shows the topic of the context number; a number the file does not map
    // shows the default topic (the contents).
    void ShowContext(std::uint32_t context);
    // Shows a stored page by its path inside the file ("/en/read.html").
    bool ShowTopic(const QString& path);
    void ShowContents();

    // Path inside the file of the page shown, "" when none.
    QString CurrentTopic() const;
    QTextBrowser* Browser() const;

    // "chm:" URLs name files inside the help file.
    static QUrl TopicUrl(const QString& path);

private:
    void OnAnchorClicked(const QUrl& url);
    void OnSourceChanged();
    void ShowMessage(const QString& html);

    CHelpFile m_file;
    bool m_chinese;
    CHelpBrowser* m_browser = nullptr;
    QToolBar* m_toolBar = nullptr;
    // What the browser shows is not the page of its source URL (a message, or
    // a page of a file opened before).
    bool m_stale = true;
};
