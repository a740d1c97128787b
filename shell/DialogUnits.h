// Places controls by the dialog-unit rectangles of the dialog templates:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace radio {

class CDialogUnits {
public:
    explicit CDialogUnits(const QWidget& dialog)
        : m_unitX(QFontMetrics(dialog.font()).averageCharWidth()),
          m_unitY(QFontMetrics(dialog.font()).height()) {}

    QRect Rect(int x, int y, int width, int height) const {
        return {x * m_unitX / 4, y * m_unitY / 8, width * m_unitX / 4, height * m_unitY / 8};
    }
    QSize Size(int width, int height) const { return {width * m_unitX / 4, height * m_unitY / 8}; }

private:
    int m_unitX;
    int m_unitY;
};

} // namespace radio
