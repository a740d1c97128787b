// The programs' own pictures: toolbar glyphs, background tile, icon and the
// files make_pictures puts beside the programs.
#include "Pictures.h"
#include "CommandIds.h"
#include "MdiClientWnd.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Pixels that are not fully transparent.
int InkedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) != 0 ? 1 : 0;
        }
    }
    return count;
}

TEST(Pictures, EveryToolbarButtonHasItsOwnGlyphOfTheButtonSize) {
    const int ids[] = {cmd::kFileNew, cmd::kFileOpen,  cmd::kFileSave, cmd::kRead,
                       cmd::kWrite,   cmd::kFilePrint, cmd::kAppAbout};
    std::vector<QImage> glyphs;
    for (const int id : ids) {
        const QImage glyph = radio::ToolbarImage(id);
        ASSERT_FALSE(glyph.isNull()) << id;
        EXPECT_EQ(glyph.size(), QSize(18, 19)) << id;
        // Drawn, but not a filled block: the button face shows around it.
        const int inked = InkedPixels(glyph);
        EXPECT_GT(inked, 20) << id;
        EXPECT_LT(inked, 18 * 19) << id;
        for (const QImage& other : glyphs) {
            EXPECT_NE(glyph, other) << id;
        }
        glyphs.push_back(glyph);
    }
    EXPECT_TRUE(radio::ToolbarImage(cmd::kLanguage).isNull());
    EXPECT_EQ(radio::CloseGlyph().size(), QSize(16, 16));
}

TEST(Pictures, BackgroundTilesWithoutGapsAndStretchesForProgramWren) {
    const QImage tile = radio::BackgroundTile();
    ASSERT_EQ(tile.size(), QSize(238, 157));
    EXPECT_FALSE(tile.hasAlphaChannel());

    // Tiled: every pixel of an area that is no multiple of the tile is the
    // tile's pixel at the same place modulo its size.
    const QSize area(500, 400);
    QImage tiled(area, QImage::Format_RGB32);
    tiled.fill(Qt::magenta);
    {
        QPainter painter(&tiled);
        CMdiClientWnd::PaintBackground(painter, area, tile, true);
    }
    const QImage rgbTile = tile.convertToFormat(QImage::Format_RGB32);
    for (const QPoint p : {QPoint(0, 0), QPoint(237, 156), QPoint(238, 157), QPoint(499, 399),
                           QPoint(300, 10), QPoint(10, 390)}) {
        EXPECT_EQ(tiled.pixel(p), rgbTile.pixel(p.x() % 238, p.y() % 157)) << p.x() << "," << p.y();
    }
    // Stretched: the tile's corners land on the area's corners.
    QImage stretched(area, QImage::Format_RGB32);
    stretched.fill(Qt::magenta);
    {
        QPainter painter(&stretched);
        CMdiClientWnd::PaintBackground(painter, area, tile, false);
    }
    EXPECT_EQ(stretched.pixel(0, 0), rgbTile.pixel(0, 0));
    EXPECT_EQ(stretched.pixel(499, 399), rgbTile.pixel(237, 156));
}

TEST(Pictures, MakePicturesWritesTheFilesTheProgramsRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(QProcess::execute(QStringLiteral(RADIO_MAKE_PICTURES), {dir.path()}), 0);
    const QImage background(dir.filePath(QStringLiteral("background.bmp")));
    ASSERT_FALSE(background.isNull());
    EXPECT_EQ(background.size(), QSize(238, 157));
    EXPECT_EQ(background.convertToFormat(QImage::Format_RGB32),
              radio::BackgroundTile().convertToFormat(QImage::Format_RGB32));
    const QIcon icon(dir.filePath(QStringLiteral("title.ico")));
    EXPECT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());

    // Without a folder to write into it says so and fails.
    EXPECT_NE(QProcess::execute(QStringLiteral(RADIO_MAKE_PICTURES),
                                {dir.filePath(QStringLiteral("missing/folder"))}),
              0);
}

} // namespace
