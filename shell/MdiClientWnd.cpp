#include "MdiClientWnd.h"

#include "Pictures.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>

CMdiClientWnd::CMdiClientWnd(bool tileFile, std::string backgroundFile, QWidget* parent)
    : QMdiArea(parent), m_bTileFile(tileFile), m_backgroundFile(std::move(backgroundFile)) {}

QImage CMdiClientWnd::Tile() const {
    if (m_bTileFile) {
        QImage file(QString::fromStdString(m_backgroundFile));
        if (!file.isNull()) {
            return file;
        }
    }
    return radio::BackgroundTile();
}

void CMdiClientWnd::PaintBackground(QPainter& painter, const QSize& size, const QImage& tile,
                                    bool tiled) {
    if (tile.isNull()) {
        return;
    }
    if (!tiled) {
        painter.drawImage(QRect(QPoint(0, 0), size), tile);
        return;
    }
    const int w = tile.width();
    const int h = tile.height();
    for (int i = 0; i <= size.width() / w; ++i) {
        for (int j = 0; j <= size.height() / h; ++j) {
            painter.drawImage(i * w, j * h, tile);
        }
    }
}

void CMdiClientWnd::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    PaintBackground(painter, viewport()->size(), Tile(), m_bTileFile);
}

void CMdiClientWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    // A stretched picture changes everywhere when the area does.
    viewport()->update();
}
