#pragma once

// The main window's client area behind the channel window: an MDI area that
// paints the programs' background. ProgramLark and ProgramWrenV2/V3 tile
// "background.bmp" from beside the program, read afresh at every paint (the
// built-in tile when it cannot be read); ProgramWren stretches the built-in
// tile over the whole area.

#include <QMdiArea>

#include <string>

class QPainter;

class CMdiClientWnd : public QMdiArea {
    Q_OBJECT

public:
    CMdiClientWnd(bool tileFile, std::string backgroundFile, QWidget* parent = nullptr);

    // Tiles `tile` unscaled from the top-left corner so that it covers
    // `size` whole, or stretches it over `size`.
    static void PaintBackground(QPainter& painter, const QSize& size, const QImage& tile,
                                bool tiled);
    // The picture painted now: the file's, or the built-in tile.
    QImage Tile() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_bTileFile;
    std::string m_backgroundFile;
};
