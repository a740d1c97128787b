// The report drawn with Qt: on a printer, in a preview, or into a PDF. Only
// Qt Gui is needed, so the command line tool prints without windows.
#pragma once

#include "ChannelReport.h"

#include <QByteArray>
#include <QFont>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace radio {

// Draws on a QPainter whose origin is the printable area's top left corner,
// converting twips (y upward) to the device's pixels.
class CQtPrintSurface : public IPrintSurface {
public:
    CQtPrintSurface(QPainter& painter, int dpiX, int dpiY);
    void SelectFont(const PrintFont& font) override;
    PrintTextMetrics TextMetrics() const override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Text(int x, int y, std::string_view text) override;

private:
    double X(int twips) const { return twips * m_dpiX / 1440.0; }
    double Y(int twips) const { return -twips * m_dpiY / 1440.0; }

    QPainter& m_painter;
    int m_dpiX;
    int m_dpiY;
    QFont m_font;
};

// Paints pages `from` to `to` (1-based, inclusive; 0 for the first or last
// page) of the report on `device`, one device page each. False when the
// device cannot be painted on.
bool PaintReport(QPagedPaintDevice& device, CChannelReport& report, int from = 0, int to = 0);

// The whole report as a PDF document on paper of `size`, its text real text.
QByteArray ReportPdf(CChannelReport& report, const QPageSize& size, const QString& title);

} // namespace radio
