#include "ReportPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace radio {

namespace {

// Where Times New Roman is missing, its metric twin.
const QStringList kFaces{QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")};

} // namespace

CQtPrintSurface::CQtPrintSurface(QPainter& painter, int dpiX, int dpiY)
    : m_painter(painter), m_dpiX(dpiX), m_dpiY(dpiY) {
    // Thin rules, about a sixth of a millimetre whatever the resolution.
    m_painter.setPen(QPen(Qt::black, std::max(1.0, m_dpiX / 150.0)));
}

void CQtPrintSurface::SelectFont(const PrintFont& font) {
    QFont f;
    f.setFamilies(font.face == kPrintFace ? kFaces
                                          : QStringList{QString::fromStdString(font.face)});
    // A negative height is the character (em) height, which is Qt's pixel size.
    f.setPixelSize(
        std::max(1, static_cast<int>(std::lround(std::abs(font.height) * m_dpiY / 1440.0))));
    f.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    if (font.width > 0) {
        // The average character width asked for, as a stretch of the face.
        const double natural = QFontMetricsF(f, m_painter.device()).averageCharWidth();
        if (natural > 0.0) {
            const double wanted = font.width * m_dpiX / 1440.0;
            f.setStretch(
                std::clamp(static_cast<int>(std::lround(100.0 * wanted / natural)), 50, 200));
        }
    }
    m_font = f;
    m_painter.setFont(m_font);
}

PrintTextMetrics CQtPrintSurface::TextMetrics() const {
    const QFontMetricsF fm(m_font, m_painter.device());
    return {static_cast<int>(std::lround(fm.height() * 1440.0 / m_dpiY)),
            static_cast<int>(std::lround(std::max(0.0, fm.leading()) * 1440.0 / m_dpiY))};
}

void CQtPrintSurface::Line(int x1, int y1, int x2, int y2) {
    m_painter.drawLine(QPointF(X(x1), Y(y1)), QPointF(X(x2), Y(y2)));
}

void CQtPrintSurface::Text(int x, int y, std::string_view text) {
    if (text.empty()) {
        return;
    }
    // The point is the text's top left; Qt draws from the baseline.
    const QFontMetricsF fm(m_font, m_painter.device());
    m_painter.drawText(QPointF(X(x), Y(y) + fm.ascent()),
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool PaintReport(QPagedPaintDevice& device, CChannelReport& report, int from, int to) {
    const int maxPage = report.PageCount();
    from = from <= 0 ? 1 : std::min(from, maxPage);
    to = to <= 0 ? maxPage : std::min(to, maxPage);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QRect paint = device.pageLayout().paintRectPixels(dpiX);
    const PrintableArea area{0, 0, paint.width(), paint.height(), dpiX, dpiY};
    for (int page = from; page <= to; ++page) {
        if (page > from && !device.newPage()) {
            return false;
        }
        CQtPrintSurface surface(painter, dpiX, dpiY);
        report.OnPrint(surface, area, page, maxPage);
    }
    return painter.end();
}

QByteArray ReportPdf(CChannelReport& report, const QPageSize& size, const QString& title) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageSize(size);
        // The margins a desktop printer's printable area leaves, about 6 mm.
        writer.setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("radio clone programmer"));
        if (!PaintReport(writer, report)) {
            return {};
        }
    }
    return pdf;
}

} // namespace radio
