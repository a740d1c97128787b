#include "HelpWindow.h"

#include <QAction>
#include <QByteArray>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kScheme = QStringLiteral("chm");

} // namespace

// Reads every page and resource from the help file; nothing is read from disk
// or the network, whatever a page links to.
class CHelpBrowser : public QTextBrowser {
public:
    CHelpBrowser(const CHelpFile& file, QWidget* parent) : QTextBrowser(parent), m_file(file) {}

    QVariant loadResource(int type, const QUrl& name) override {
        // Sub-resources may come with names relative to the page that uses
        // them, and that page is the last one loaded.
        const QUrl url = name.isRelative() ? m_base.resolved(name) : name;
        if (url.scheme() != kScheme) {
            return {};
        }
        const auto bytes = m_file.ReadFile(url.path().toStdString());
        if (!bytes) {
            return {};
        }
        if (type == QTextDocument::HtmlResource) {
            m_base = url.adjusted(QUrl::RemoveFragment);
        }
        return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
    }

private:
    const CHelpFile& m_file;
    QUrl m_base;
};

CHelpWindow::CHelpWindow(bool chinese, QWidget* parent)
    : QWidget(parent, Qt::Window), m_chinese(chinese) {
    m_browser = new CHelpBrowser(m_file, this);
    // Links are followed here, so that only pages inside the help file open.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);

    m_toolBar = new QToolBar(this);
    QAction* back = m_toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                         chinese ? QStringLiteral("后退") : QStringLiteral("Back"));
    QAction* forward =
        m_toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                             chinese ? QStringLiteral("前进") : QStringLiteral("Forward"));
    QAction* contents =
        m_toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                             chinese ? QStringLiteral("目录") : QStringLiteral("Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, &CHelpWindow::ShowContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnAnchorClicked);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::OnSourceChanged);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_browser);

    setWindowTitle(chinese ? QStringLiteral("帮助") : QStringLiteral("Help"));
    resize(720, 540);
}

CHelpWindow::~CHelpWindow() = default;

QUrl CHelpWindow::TopicUrl(const QString& path) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QString::fromStdString(HelpFileDetail::NormalisePath(path.toStdString())));
    return url;
}

bool CHelpWindow::OpenFile(const QString& path) {
    m_browser->clearHistory();
    m_stale = true;
    if (m_file.Open(path.toStdString())) {
        return true;
    }
    const QString name = path.toHtmlEscaped();
    ShowMessage(m_chinese
                    ? QStringLiteral("<p>无法打开帮助文件 %1。</p>").arg(name)
                    : QStringLiteral("<p>The help file %1 could not be opened.</p>").arg(name));
    return false;
}

void CHelpWindow::ShowContext(std::uint32_t context) {
    if (!m_file.IsOpen()) {
        return;
    }
    if (const auto topic = m_file.TopicForContext(context)) {
        if (ShowTopic(QString::fromStdString(*topic))) {
            return;
        }
    }
    ShowContents();
}

void CHelpWindow::ShowContents() {
    if (!m_file.IsOpen()) {
        return;
    }
    const std::string contents = m_file.DefaultTopic();
    if (contents.empty() || !ShowTopic(QString::fromStdString(contents))) {
        ShowMessage(m_chinese ? QStringLiteral("<p>帮助文件中没有目录页。</p>")
                              : QStringLiteral("<p>The help file has no contents page.</p>"));
    }
}

bool CHelpWindow::ShowTopic(const QString& path) {
    const QUrl url = TopicUrl(path);
    // A page of a damaged file may be listed but not readable; the browser
    // would then show nothing at all instead of the message.
    if (!m_file.ReadFile(url.path().toStdString())) {
        return false;
    }
    const bool samePage =
        url.adjusted(QUrl::RemoveFragment) == m_browser->source().adjusted(QUrl::RemoveFragment);
    m_browser->setSource(url, QTextDocument::HtmlResource);
    // The browser does not load a page again when only the fragment changes,
    // but a message or another file may have replaced what it showed.
    if (samePage && m_stale) {
        m_browser->reload();
    }
    m_stale = false;
    return true;
}

QString CHelpWindow::CurrentTopic() const {
    const QUrl source = m_browser->source();
    return !m_stale && source.scheme() == kScheme ? source.path() : QString();
}

QTextBrowser* CHelpWindow::Browser() const {
    return m_browser;
}

void CHelpWindow::OnAnchorClicked(const QUrl& link) {
    const QUrl url = link.isRelative() ? m_browser->source().resolved(link) : link;
    if (url.scheme() != kScheme) {
        return;
    }
    if (url.adjusted(QUrl::RemoveFragment) == m_browser->source().adjusted(QUrl::RemoveFragment)) {
        m_browser->scrollToAnchor(url.fragment());
        return;
    }
    if (m_file.Exists(url.path().toStdString())) {
        m_browser->setSource(url, QTextDocument::HtmlResource);
    }
}

void CHelpWindow::OnSourceChanged() {
    const QString title = m_browser->documentTitle();
    if (!title.isEmpty()) {
        setWindowTitle(title);
    }
}

void CHelpWindow::ShowMessage(const QString& html) {
    m_browser->clearHistory();
    m_browser->setHtml(html);
    m_stale = true;
}
