#include "NavigationBar.h"

#include "Pictures.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>

namespace {

// The mark drawn while the width is dragged: two dotted lines two pixels
// apart. It lets the mouse through to the bar.
class CTrackerMark : public QWidget {
public:
    explicit CTrackerMark(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawLine(0, 0, 0, height());
        painter.drawLine(2, 0, 2, height());
    }
};

QColor GrayText(const QPalette& palette) {
    return palette.color(QPalette::Disabled, QPalette::WindowText);
}

} // namespace

CNavigationBar::CNavigationBar(NavigationTexts texts, std::function<int()> frameClientWidth,
                               std::function<int()> frameClientHeight, QWidget* parent)
    : QWidget(parent), m_texts(std::move(texts)), m_frameClientWidth(std::move(frameClientWidth)),
      m_frameClientHeight(std::move(frameClientHeight)), m_pTree(new QTreeWidget(this)),
      m_pRoot(new QTreeWidgetItem(m_pTree, QStringList{m_texts.root})),
      m_pTracker(new CTrackerMark(parent != nullptr ? parent : this)) {
    setObjectName(QStringLiteral("IE Control Bar"));
    setWindowTitle(QStringLiteral("IE Control Bar"));
    setMouseTracking(true);
    // Latin text in the bar's face, Chinese in whatever font has it.
    m_font = QFont(QStringLiteral("Times New Roman"));
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Normal);
    setFont(m_font);

    m_pTree->setObjectName(QStringLiteral("tree1032"));
    m_pTree->setProperty("controlId", kTreeId);
    m_pTree->setFont(m_font);
    m_pTree->header()->hide();
    m_pTree->setRootIsDecorated(true);
    m_pTree->setColumnCount(1);
    for (const QString& child : m_texts.children) {
        new QTreeWidgetItem(m_pRoot, QStringList{child});
    }
    m_pRoot->setExpanded(true);
    m_pTree->viewport()->installEventFilter(this);
    m_pTree->viewport()->setMouseTracking(true);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CNavigationBar::OnSelectionChanged);

    setFixedWidth(m_nWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize CNavigationBar::sizeHint() const {
    return {m_nWidth, m_frameClientHeight ? m_frameClientHeight() : height()};
}

QRect CNavigationBar::SplitterStrip() const {
    if (m_frameRect.isNull()) {
        return {};
    }
    return QRect(m_frameRect.right() + 1, m_frameRect.top(), kSplitterStrip + 1,
                 m_frameRect.height());
}

void CNavigationBar::ComputeRects() {
    // The border: the client area less 3, 6, 6 and 49 pixels; the frame is
    // that with its left and top moved in by one.
    const QRect client = rect();
    const QRect border(QPoint(client.left() + 3, client.top() + 6),
                       QPoint(client.right() - 6, client.bottom() - 49));
    m_frameRect = QRect(QPoint(border.left() + 1, border.top() + 1), border.bottomRight());
    // A caption-height square at the band's right end, 5 pixels in, less
    // 7 (left), 4 (top), -1 (right), 3 (bottom): 16 x 15.
    const int right = m_frameRect.right() + 1 - 5; // exclusive
    const QRect square(right - kCaptionHeight, m_frameRect.top(), kCaptionHeight, kCaptionHeight);
    m_closeRect = QRect(QPoint(square.left() + 7, square.top() + 4),
                        QPoint(square.right() + 1, square.bottom() - 3));
}

void CNavigationBar::LayoutTree() {
    const int clientHeight = m_frameClientHeight ? m_frameClientHeight() : height();
    m_pTree->setGeometry(5, kCaptionHeight + 9, std::max(0, m_nWidth - 13),
                         std::max(0, clientHeight - kCaptionHeight - 60));
}

void CNavigationBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ComputeRects();
    LayoutTree();
}

void CNavigationBar::paintEvent(QPaintEvent*) {
    ComputeRects();
    QPainter painter(this);
    const QPalette& pal = palette();
    const QColor gray = GrayText(pal);

    // Etched border: a gray outline with white just inside its left and top
    // and just outside its right and bottom.
    const QRect border(QPoint(m_frameRect.left() - 1, m_frameRect.top() - 1),
                       m_frameRect.bottomRight());
    painter.setPen(gray);
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawLine(border.left() + 1, border.top() + 1, border.left() + 1, border.bottom() - 1);
    painter.drawLine(border.left() + 1, border.top() + 1, border.right() - 1, border.top() + 1);
    painter.drawLine(border.right() + 1, border.top(), border.right() + 1, border.bottom() + 1);
    painter.drawLine(border.left(), border.bottom() + 1, border.right() + 1, border.bottom() + 1);

    // Caption band and the line under it.
    painter.setFont(m_font);
    painter.setPen(pal.color(QPalette::WindowText));
    const QRect band(m_frameRect.left() + 5, m_frameRect.top(),
                     std::max(0, m_closeRect.left() - m_frameRect.left() - 5), kCaptionHeight);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_texts.caption);
    painter.setPen(gray);
    const int lineY = m_frameRect.top() + kCaptionHeight;
    painter.drawLine(m_frameRect.left() + 1, lineY, m_frameRect.right(), lineY);

    // Close button: raised while hot, sunken while pressed.
    if (m_bHot || m_bPressed) {
        const QColor light = pal.color(QPalette::Light);
        const QColor shadow = pal.color(QPalette::Dark);
        const QColor& topLeft = m_bHot ? light : shadow;
        const QColor& bottomRight = m_bHot ? shadow : light;
        const QRect r = m_closeRect;
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    painter.drawImage(m_closeRect.topLeft(), radio::CloseGlyph());
}

bool CNavigationBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (m_closeRect.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), tr("Close"), this, m_closeRect);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void CNavigationBar::UpdateCursor(const QPoint& pos) {
    if (!m_frameRect.isNull() && (SplitterStrip().contains(pos) || m_bDragging)) {
        setCursor(Qt::SplitHCursor);
    } else {
        unsetCursor();
    }
}

void CNavigationBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // Qt holds the mouse for the bar until the button goes up.
    const QPoint pos = event->position().toPoint();
    if (!m_closeRect.isNull()) {
        m_bButtonDown = true;
        m_bHot = false;
        m_bPressed = m_closeRect.contains(pos);
        update(m_closeRect);
    }
    if (SplitterStrip().contains(pos)) {
        m_bDragging = true;
    }
    UpdateCursor(pos);
}

void CNavigationBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_bDragging) {
        EraseTracker();
        const int half = (m_frameClientWidth ? m_frameClientWidth() : width() * 2) / 2;
        DrawTracker(std::min(std::max(pos.x(), kMinTrackingX), half));
    }
    if (!m_closeRect.isNull() && m_closeRect.contains(pos)) {
        if (!m_bHot) {
            m_bHot = !m_bButtonDown;
            m_bPressed = m_bButtonDown;
            update(m_closeRect);
        }
    } else if (m_bHot || m_bPressed) {
        m_bHot = false;
        m_bPressed = false;
        update(m_closeRect);
    }
    UpdateCursor(pos);
}

void CNavigationBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    m_bPressed = false;
    m_bHot = false;
    m_bButtonDown = false;
    EraseTracker();
    update(m_closeRect);
    if (!m_closeRect.isNull() && m_closeRect.contains(pos)) {
        emit CloseClicked();
    }
    if (m_bDragging) {
        // Released narrower than the mark allows is kept (but never below
        // 11); wider than half the frame is cut to that half.
        const int half = (m_frameClientWidth ? m_frameClientWidth() : width() * 2) / 2;
        int width = pos.x();
        if (width <= 10) {
            width = 11;
        }
        if (width > half) {
            width = half;
        }
        m_nWidth = width;
        setFixedWidth(m_nWidth);
        LayoutTree();
        // Hidden and shown so that the frame lays the bar out afresh.
        if (!isHidden()) {
            hide();
            show();
        }
        m_bDragging = false;
    }
    UpdateCursor(pos);
}

void CNavigationBar::mouseDoubleClickEvent(QMouseEvent*) {
    // Double clicks do nothing on the bar.
}

void CNavigationBar::DrawTracker(int x) {
    m_nTrackerX = x;
    QWidget* host = m_pTracker->parentWidget();
    const QPoint top = mapTo(host, QPoint(x, 0));
    m_pTracker->setGeometry(top.x(), top.y(), 3, std::max(0, height() - 43));
    m_pTracker->raise();
    m_pTracker->show();
}

void CNavigationBar::EraseTracker() {
    m_nTrackerX = -1;
    m_pTracker->hide();
}

bool CNavigationBar::eventFilter(QObject* watched, QEvent* event) {
    // The tree acts on the item under the pointer, so the bar keeps track
    // of where the pointer is over it.
    if (watched == m_pTree->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            m_treePointer = static_cast<QMouseEvent*>(event)->position().toPoint();
            m_bPointerInTree = true;
            break;
        case QEvent::Leave:
            m_bPointerInTree = false;
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CNavigationBar::OnSelectionChanged() {
    // The bar's own return to the root is not a choice: acting on it again
    // would open a dialog a second time when the pointer still rests on
    // its item.
    if (m_bReselecting) {
        return;
    }
    QString text;
    if (m_bPointerInTree) {
        if (const QTreeWidgetItem* item = m_pTree->itemAt(m_treePointer)) {
            text = item->text(0);
        }
    }
    const int child = m_texts.children.indexOf(text);
    if (child >= 0) {
        emit ItemChosen(child);
    }
    // The root is selected again, so choosing the same item again is again
    // a change of selection.
    m_bReselecting = true;
    m_pTree->setCurrentItem(m_pRoot);
    m_bReselecting = false;
}
