#include "Pictures.h"

#include "CommandIds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace radio {

namespace {

constexpr double kTau = 2.0 * std::numbers::pi;

QImage Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The glyphs are laid out on whole pixels: a rectangle's outline is its own
// outermost ring of pixels.
void Frame(QPainter& p, const QRect& r, const QColor& fill, const QColor& line) {
    p.fillRect(r, line);
    p.fillRect(r.adjusted(1, 1, -1, -1), fill);
}

// Polygon through the centres of the given pixels, outlined one pixel wide:
// straight edges stay crisp, slanted ones are smoothed.
void Shape(QPainter& p, std::initializer_list<QPointF> pixels, const QBrush& fill,
           const QColor& line) {
    QPolygonF polygon;
    for (const QPointF& pixel : pixels) {
        polygon << pixel + QPointF(0.5, 0.5);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(polygon);
    p.restore();
}

// ---- toolbar ---------------------------------------------------------------

const QColor kInk(0x3a, 0x3f, 0x46);

void DrawNew(QPainter& p) {
    Shape(p, {{3, 1}, {10, 1}, {14, 5}, {14, 17}, {3, 17}}, Qt::white, kInk);
    Shape(p, {{10, 1}, {10, 5}, {14, 5}}, QColor(0xd4, 0xd9, 0xe0), kInk);
}

void DrawOpen(QPainter& p) {
    const QColor line(0x6e, 0x4f, 0x12);
    Shape(p, {{1, 3}, {5, 3}, {6, 4}, {13, 4}, {13, 15}, {1, 15}}, QColor(0xd8, 0xa4, 0x32), line);
    // A sheet in the folder, showing that it opens onto files.
    Frame(p, QRect(3, 6, 9, 4), Qt::white, QColor(0x8a, 0x90, 0x99));
    QLinearGradient flap(0, 8, 0, 15);
    flap.setColorAt(0, QColor(0xfb, 0xe3, 0x8c));
    flap.setColorAt(1, QColor(0xf0, 0xc8, 0x52));
    Shape(p, {{4, 8}, {17, 8}, {14, 15}, {1, 15}}, flap, line);
}

void DrawSave(QPainter& p) {
    const QColor line(0x1c, 0x2d, 0x5a);
    Shape(p, {{1, 2}, {15, 2}, {16, 3}, {16, 17}, {1, 17}}, QColor(0x3d, 0x66, 0xb8), line);
    Frame(p, QRect(5, 2, 8, 6), QColor(0xd6, 0xdb, 0xe2), line);
    p.fillRect(QRect(10, 3, 2, 3), line);
    Frame(p, QRect(3, 10, 12, 8), Qt::white, line);
    p.fillRect(QRect(5, 12, 8, 1), QColor(0x9d, 0xb2, 0xd8));
    p.fillRect(QRect(5, 14, 8, 1), QColor(0x9d, 0xb2, 0xd8));
}

// The small handheld radio of Read and Write, on the glyph's right.
void DrawSmallRadio(QPainter& p) {
    const QColor line(0x1e, 0x24, 0x2c);
    p.fillRect(QRect(13, 1, 2, 5), line);
    QLinearGradient body(0, 5, 0, 17);
    body.setColorAt(0, QColor(0x6a, 0x7a, 0x90));
    body.setColorAt(1, QColor(0x3c, 0x47, 0x57));
    p.fillRect(QRect(9, 5, 8, 13), line);
    p.fillRect(QRect(10, 6, 6, 11), body);
    // Rounded corners.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    for (const QPoint corner : {QPoint(9, 5), QPoint(16, 5), QPoint(9, 17), QPoint(16, 17)}) {
        p.fillRect(QRect(corner, QSize(1, 1)), Qt::transparent);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(QRect(11, 7, 4, 3), QColor(0x96, 0xe2, 0xcc));
    p.fillRect(QRect(11, 12, 4, 1), line);
    p.fillRect(QRect(11, 14, 4, 1), line);
}

// A thick arrow from `from` to `to` (pixel coordinates of the glyph).
void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& fill, const QColor& line) {
    const QLineF axis(from, to);
    const double length = axis.length();
    const double head = 4.6;
    const double shaft = 1.4;
    const double wing = 3.6;
    const QPolygonF arrow({{0, -shaft},
                           {length - head, -shaft},
                           {length - head, -wing},
                           {length, 0},
                           {length - head, wing},
                           {length - head, shaft},
                           {0, shaft}});
    QTransform placement;
    placement.translate(from.x(), from.y());
    placement.rotate(-axis.angle());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(placement.map(arrow));
    p.restore();
}

void DrawRead(QPainter& p) {
    DrawSmallRadio(p);
    DrawArrow(p, {9.5, 9.5}, {1.0, 18.0}, QColor(0x3c, 0xb0, 0x4a), QColor(0x18, 0x60, 0x22));
}

void DrawWrite(QPainter& p) {
    DrawSmallRadio(p);
    DrawArrow(p, {1.0, 18.0}, {9.5, 9.5}, QColor(0xe0, 0x50, 0x32), QColor(0x80, 0x20, 0x10));
}

void DrawPrint(QPainter& p) {
    Frame(p, QRect(4, 1, 10, 7), Qt::white, kInk);
    QLinearGradient body(0, 6, 0, 14);
    body.setColorAt(0, QColor(0xdc, 0xe0, 0xe6));
    body.setColorAt(1, QColor(0xa4, 0xab, 0xb6));
    p.fillRect(QRect(1, 6, 16, 9), kInk);
    p.fillRect(QRect(2, 7, 14, 7), body);
    p.fillRect(QRect(13, 8, 2, 1), QColor(0x3c, 0xc0, 0x4a));
    p.fillRect(QRect(3, 11, 12, 1), kInk);
    Frame(p, QRect(4, 11, 10, 7), Qt::white, kInk);
    p.fillRect(QRect(6, 13, 6, 1), QColor(0x9a, 0xa4, 0xb2));
    p.fillRect(QRect(6, 15, 4, 1), QColor(0x9a, 0xa4, 0xb2));
}

void DrawAbout(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient disc(0, 2, 0, 17);
    disc.setColorAt(0, QColor(0x62, 0xa2, 0xec));
    disc.setColorAt(1, QColor(0x24, 0x5c, 0xb4));
    p.setPen(QPen(QColor(0x1a, 0x44, 0x88), 1.0));
    p.setBrush(disc);
    p.drawEllipse(QRectF(1.5, 2.0, 15.0, 15.0));
    p.restore();
    p.fillRect(QRect(8, 5, 2, 2), Qt::white);
    p.fillRect(QRect(7, 8, 3, 1), Qt::white);
    p.fillRect(QRect(8, 9, 2, 5), Qt::white);
    p.fillRect(QRect(7, 14, 4, 1), Qt::white);
}

// ---- background ------------------------------------------------------------

// Lines of equal phase of a field that is periodic over the tile: the tile's
// right edge continues into its left and its bottom into its top.
double WavePhase(double x, double y) {
    const double u = x / kBackgroundTileWidth;
    const double v = y / kBackgroundTileHeight;
    return 6.0 * v + 0.55 * std::sin(kTau * (u + v)) + 0.25 * std::sin(kTau * (2.0 * u - v));
}

// Coverage (0..1) of a soft line about `width` pixels wide at distance
// `distance` pixels from its middle.
double LineCoverage(double distance, double width) {
    const double t = std::clamp(1.0 - distance / width, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// ---- title icon ------------------------------------------------------------

const QColor kRadioLine(0x17, 0x1c, 0x23);
const QColor kRadioDark(0x26, 0x2c, 0x35);
const QColor kLcdTop(0xb8, 0xf0, 0xdc);
const QColor kLcdBottom(0x72, 0xc8, 0xac);
const QColor kSignal(0x2f, 0x80, 0xe0);
const QColor kButton(0xe8, 0x7a, 0x2e);

QLinearGradient BodyGradient(double top, double bottom) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, QColor(0x64, 0x76, 0x8e));
    g.setColorAt(1, QColor(0x30, 0x3a, 0x49));
    return g;
}

// 16 pixels: every element on whole pixels so that it stays readable.
void DrawRadioIcon16(QPainter& p) {
    // Signal arc beside the antenna tip.
    for (const QPoint pixel : {QPoint(13, 0), QPoint(14, 1), QPoint(14, 2), QPoint(13, 3)}) {
        p.fillRect(QRect(pixel, QSize(1, 1)), kSignal);
    }
    p.fillRect(QRect(10, 0, 2, 5), kRadioDark);
    p.fillRect(QRect(5, 2, 2, 2), kRadioDark);
    p.fillRect(QRect(2, 7, 1, 3), kButton);
    p.fillRect(QRect(3, 4, 11, 12), kRadioLine);
    p.fillRect(QRect(4, 5, 9, 10), BodyGradient(5, 15));
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    for (const QPoint corner : {QPoint(3, 4), QPoint(13, 4), QPoint(3, 15), QPoint(13, 15)}) {
        p.fillRect(QRect(corner, QSize(1, 1)), Qt::transparent);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QLinearGradient lcd(0, 6, 0, 9);
    lcd.setColorAt(0, kLcdTop);
    lcd.setColorAt(1, kLcdBottom);
    p.fillRect(QRect(5, 6, 7, 3), lcd);
    p.fillRect(QRect(5, 11, 7, 1), kRadioLine);
    p.fillRect(QRect(5, 13, 7, 1), kRadioLine);
}

// 32 pixels and up, laid out on a grid of 48 units. Edges are rounded to
// whole pixels up to 48 pixels; small details appear from 48 pixels.
void DrawRadioIcon(QPainter& p, int size) {
    const double k = size / 48.0;
    const bool snap = size <= 48;
    const auto at = [&](double units) { return snap ? std::round(units * k) : units * k; };
    const auto box = [&](double x, double y, double w, double h) {
        return QRectF(QPointF(at(x), at(y)), QPointF(at(x + w), at(y + h)));
    };
    const double line = std::max(1.0, std::round(k));
    // A pen of `line` pixels inside a rectangle on whole pixels.
    const auto inset = [&](const QRectF& r) {
        return r.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    };
    const bool detailed = size >= 48;
    p.setRenderHint(QPainter::Antialiasing);

    // Signal arcs from the antenna tip.
    const QPointF tip(at(32.5), at(6));
    p.setBrush(Qt::NoBrush);
    for (const double radius : {5.5, 10.0}) {
        p.setPen(QPen(kSignal, std::max(1.5, 2.4 * k), Qt::SolidLine, Qt::RoundCap));
        const double r = radius * k;
        p.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }

    // Antenna and volume knob, behind the body.
    p.setPen(QPen(kRadioLine, line));
    QLinearGradient stub(at(30), 0, at(35), 0);
    stub.setColorAt(0, QColor(0x4a, 0x54, 0x62));
    stub.setColorAt(1, kRadioDark);
    p.setBrush(stub);
    p.drawRoundedRect(inset(box(30, 3, 5, 15)), 2.0 * k, 2.0 * k);
    p.setBrush(kRadioDark);
    p.drawRoundedRect(inset(box(14, 9, 7, 7)), 1.5 * k, 1.5 * k);
    if (detailed) {
        p.setPen(QPen(QColor(0x5a, 0x64, 0x72), std::max(1.0, 0.8 * k)));
        for (const double x : {16.0, 17.5, 19.0}) {
            p.drawLine(QPointF(x * k, 10.5 * k), QPointF(x * k, 13.5 * k));
        }
    }

    // Push-to-talk button on the left side.
    p.setPen(QPen(kRadioLine, line));
    p.setBrush(kButton);
    p.drawRoundedRect(inset(box(6, 21, 5, 11)), 1.5 * k, 1.5 * k);

    // Body.
    const QRectF body = inset(box(9, 14, 30, 32));
    p.setBrush(BodyGradient(body.top(), body.bottom()));
    p.drawRoundedRect(body, 5.0 * k, 5.0 * k);
    if (detailed) {
        // A soft highlight along the top and left edges.
        p.setPen(QPen(QColor(255, 255, 255, 60), std::max(1.0, 0.8 * k)));
        p.setBrush(Qt::NoBrush);
        const double h = line + 0.5 * k;
        p.drawRoundedRect(body.adjusted(h, h, -h, -h), 4.0 * k, 4.0 * k);
    }

    // Display with its bezel.
    const QRectF bezel = box(13, 18, 22, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(kRadioLine);
    p.drawRoundedRect(bezel, 2.0 * k, 2.0 * k);
    const double glass = std::max(1.0, std::round(1.5 * k));
    const QRectF lcd = bezel.adjusted(glass, glass, -glass, -glass);
    QLinearGradient lcdFill(0, lcd.top(), 0, lcd.bottom());
    lcdFill.setColorAt(0, kLcdTop);
    lcdFill.setColorAt(1, kLcdBottom);
    p.setBrush(lcdFill);
    p.drawRoundedRect(lcd, 1.0 * k, 1.0 * k);
    // What the display shows: a signal bar graph and a channel number.
    const QColor segment(0x1f, 0x4a, 0x3e, detailed ? 200 : 170);
    p.setBrush(segment);
    if (detailed) {
        for (int i = 0; i < 3; ++i) {
            const double height = 2.0 + 1.6 * i;
            p.drawRect(box(16 + 2.2 * i, 27 - height, 1.4, height));
        }
        for (const double x : {24.5, 28.5}) {
            p.drawRoundedRect(box(x, 21, 3, 6), 0.6 * k, 0.6 * k);
        }
        p.setBrush(lcdFill);
        for (const double x : {24.5, 28.5}) {
            p.drawRect(box(x + 1, 22.3, 1, 1.2));
            p.drawRect(box(x + 1, 24.5, 1, 1.2));
        }
    } else {
        p.drawRect(box(16.5, 22.5, 15, 3));
    }

    // Speaker grille.
    for (const double y : {33.0, 37.0, 41.0}) {
        p.setBrush(kRadioLine);
        p.drawRoundedRect(box(15, y, 18, 2), 1.0 * k, 1.0 * k);
        if (detailed) {
            p.setBrush(QColor(0x7a, 0x8a, 0xa0, 120));
            p.drawRect(box(15.5, y + 2, 17, 0.6));
        }
    }
}

} // namespace

QImage ToolbarImage(int commandId) {
    void (*draw)(QPainter&) = nullptr;
    switch (commandId) {
    case cmd::kFileNew:
        draw = DrawNew;
        break;
    case cmd::kFileOpen:
        draw = DrawOpen;
        break;
    case cmd::kFileSave:
        draw = DrawSave;
        break;
    case cmd::kRead:
        draw = DrawRead;
        break;
    case cmd::kWrite:
        draw = DrawWrite;
        break;
    case cmd::kFilePrint:
        draw = DrawPrint;
        break;
    case cmd::kAppAbout:
        draw = DrawAbout;
        break;
    default:
        return {};
    }
    QImage image = Transparent(kToolbarImageWidth, kToolbarImageHeight);
    {
        QPainter p(&image);
        draw(p);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage BackgroundTile() {
    const int width = kBackgroundTileWidth;
    const int height = kBackgroundTileHeight;
    QImage image(width, height, QImage::Format_RGB32);
    // Each pixel is the mean of a few samples, which smooths the lines.
    constexpr int kSamples = 4;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            double line = 0.0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples;
                    const double py = y + (sy + 0.5) / kSamples;
                    const double phase = WavePhase(px, py);
                    // Phase distance over the local phase gradient gives the
                    // distance in pixels to the nearest line.
                    const double e = 0.25;
                    const double gx = (WavePhase(px + e, py) - WavePhase(px - e, py)) / (2 * e);
                    const double gy = (WavePhase(px, py + e) - WavePhase(px, py - e)) / (2 * e);
                    const double distance =
                        std::abs(phase - std::round(phase)) / std::hypot(gx, gy);
                    line += LineCoverage(distance, 1.3);
                }
            }
            line /= kSamples * kSamples;
            // A broad, slow swell of light under the lines.
            const double u = (x + 0.5) / width;
            const double v = (y + 0.5) / height;
            const double swell = 0.5 + 0.5 * std::sin(kTau * (u - 2.0 * v) + 1.0);
            const double r = 170 + 8 * swell + 18 * line;
            const double g = 180 + 8 * swell + 17 * line;
            const double b = 194 + 7 * swell + 15 * line;
            row[x] = qRgb(int(std::lround(r)), int(std::lround(g)), int(std::lround(b)));
        }
    }
    return image;
}

QImage TitleIconImage(int size) {
    if (size <= 0) {
        return {};
    }
    QImage image = Transparent(size, size);
    {
        QPainter p(&image);
        if (size == 16) {
            DrawRadioIcon16(p);
        } else {
            DrawRadioIcon(p, size);
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QIcon TitleIcon() {
    QIcon icon;
    for (const int size : kTitleIconSizes) {
        icon.addPixmap(QPixmap::fromImage(TitleIconImage(size)));
    }
    return icon;
}

QImage CloseGlyph() {
    QImage image = Transparent(16, 16);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.8, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(4.0, 4.0), QPointF(12.0, 12.0));
        p.drawLine(QPointF(12.0, 4.0), QPointF(4.0, 12.0));
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace radio
