#pragma once

// The navigation bar at the main window's left edge: a caption band with the
// company's name and a close button, an etched border, the tree of the three
// editing areas, and a 6-pixel strip at its right edge that drags its width.
//
// Geometry follows the bar's own rules rather than a dock widget's: the
// tracking mark stays between 80 pixels and half the frame's client width
// while the width released may be narrower (down to 11), and the width
// survives hiding the bar.

#include <QRect>
#include <QStringList>
#include <QWidget>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

struct NavigationTexts {
    QString caption;      // drawn in the caption band
    QString root;         // the tree's root item
    QStringList children; // Product Information, Channel Information, Optional Features
};

class CNavigationBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCaptionHeight = 22;
    static constexpr int kInitialWidth = 220;
    static constexpr int kSplitterStrip = 6;
    static constexpr int kMinTrackingX = 80;
    static constexpr int kTreeId = 1032;

    // `frameClientWidth`/`frameClientHeight` measure the main frame's client
    // area, which bounds the width and sets the height.
    CNavigationBar(NavigationTexts texts, std::function<int()> frameClientWidth,
                   std::function<int()> frameClientHeight, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_pTree; }
    int BarWidth() const { return m_nWidth; }
    // The inner border and the close button, in bar coordinates (empty
    // before they were first laid out).
    QRect FrameRect() const { return m_frameRect; }
    QRect CloseRect() const { return m_closeRect; }
    // The 6-pixel strip right of the frame that drags the width.
    QRect SplitterStrip() const;
    bool IsHot() const { return m_bHot; }
    bool IsPressed() const { return m_bPressed; }
    bool IsDragging() const { return m_bDragging; }
    // Where the tracking mark stands in bar coordinates; -1 when none.
    int TrackerX() const { return m_nTrackerX; }

    QSize sizeHint() const override;

signals:
    // A tree item with one of the current language's labels was chosen:
    // 0 Product Information, 1 Channel Information, 2 Optional Features.
    void ItemChosen(int child);
    // The close button was pressed and released over it.
    void CloseClicked();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ComputeRects();
    void LayoutTree();
    void OnSelectionChanged();
    void DrawTracker(int x);
    void EraseTracker();
    void UpdateCursor(const QPoint& pos);

    NavigationTexts m_texts;
    std::function<int()> m_frameClientWidth;
    std::function<int()> m_frameClientHeight;
    QFont m_font;
    int m_nWidth = kInitialWidth;
    QTreeWidget* m_pTree;
    QTreeWidgetItem* m_pRoot;
    QWidget* m_pTracker; // the mark shown while the width is dragged
    QRect m_frameRect;
    QRect m_closeRect;
    bool m_bDragging = false;
    int m_nTrackerX = -1;
    bool m_bButtonDown = false;
    bool m_bHot = false;
    bool m_bPressed = false;
    // Where the pointer last was over the tree (the item it selects).
    QPoint m_treePointer;
    bool m_bPointerInTree = false;
    // Set while the bar itself selects the root again.
    bool m_bReselecting = false;
};
