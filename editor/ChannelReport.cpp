#include "ChannelReport.h"

#include "Options.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace radio {

namespace {

constexpr int kChannelsPerPage = 7;

constexpr TextPair kOptionTitle{"Option", "可选功能"};
constexpr TextPair kFunction{"Function", "功能"};
constexpr TextPair kChannelTitle{"Channel", "信道"};
constexpr TextPair kChannelNumber{"Channel %d:", "信道%d:"};
constexpr TextPair kReceive{"Receive Frequency:", "接收频率:"};
constexpr TextPair kTransmit{"Transceive Frequency:", "发射频率:"};
constexpr TextPair kDecode{"QT/DQT Decode:", "QT/DQT解码:"};
constexpr TextPair kEncode{"QT/DQT Encode:", "QT/DQT编码:"};
constexpr TextPair kPower{"Power:", "功率:"};

std::string Format(std::string_view format, int a) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, std::string(format).c_str(), a);
    return buffer;
}

PrintFont PageFont(const PageMeasures& m) {
    return {kPrintFace, m.H, m.cw, 400};
}

// The body font: four fifths of the page font.
PrintFont BodyFont(const PageMeasures& m) {
    return {kPrintFace, static_cast<int>(m.H * 0.8), static_cast<int>(m.cw * 0.8), 400};
}

int LineHeight(const IPrintSurface& surface) {
    const PrintTextMetrics tm = surface.TextMetrics();
    return tm.height + tm.externalLeading;
}

} // namespace

PageMeasures PageMeasures::Of(const PrintableArea& area) {
    PageMeasures m;
    if (area.dpiX <= 0 || area.dpiY <= 0) {
        return m;
    }
    m.cw = static_cast<int>(std::int64_t{area.right - area.left} * 1440 / area.dpiX / 66);
    m.H = static_cast<int>(std::int64_t{area.bottom - area.top} * 1440 / area.dpiY / -45);
    return m;
}

CChannelReport::CChannelReport(const ModelVariant& variant, const IChannelTable& grid,
                               const Image& image, Language lang, std::string owner)
    : m_pageEnd(static_cast<std::size_t>(
                    (variant.channelRows + kChannelsPerPage - 1) / kChannelsPerPage + 1),
                0),
      m_variant(variant), m_grid(grid), m_image(image), m_lang(lang), m_owner(std::move(owner)) {}

int CChannelReport::CountChannelPages() {
    m_nUsedChannels = 0;
    for (std::size_t i = 1; i < m_pageEnd.size(); ++i) {
        m_pageEnd[i] = LastRow();
    }
    for (int r = 1; r <= LastRow(); ++r) {
        if (!m_grid.TextMatrix(r, 1).empty()) {
            ++m_nUsedChannels;
            if (m_nUsedChannels % kChannelsPerPage == 0) {
                m_pageEnd[static_cast<std::size_t>(m_nUsedChannels / kChannelsPerPage)] = r;
            }
        }
    }
    return (m_nUsedChannels + kChannelsPerPage - 1) / kChannelsPerPage;
}

void CChannelReport::OnPrint(IPrintSurface& surface, const PrintableArea& area, int page,
                             int maxPage) {
    const PageMeasures m = PageMeasures::Of(area);
    surface.SelectFont(PageFont(m));
    const int L = LineHeight(surface);
    // The double rule under the title and the rule above the footer.
    for (const int y : {-(2 * L + 50), -(2 * L + 120), L / 2 - 36 * L}) {
        surface.Line(5 * m.cw, y, 60 * m.cw, y);
    }
    if (page == 1) {
        PrintOptionsPage(surface, m);
    } else {
        PrintChannelPage(surface, m, page);
    }
    // The footer, in the body font still selected, at the page font's lines.
    surface.Text(10 * m.cw, -36 * L, m_owner);
    char number[64];
    std::snprintf(number, sizeof number, "Page %d of %d", page, maxPage);
    surface.Text(45 * m.cw, -36 * L, number);
}

void CChannelReport::PrintOptionsPage(IPrintSurface& surface, const PageMeasures& m) {
    surface.SelectFont(PageFont(m));
    surface.Text(6 * m.cw, -LineHeight(surface), Label(kOptionTitle));
    surface.SelectFont(BodyFont(m));
    const int l = LineHeight(surface);
    surface.Text(6 * m.cw, -4 * l, Label(kFunction));
    int k = 5;
    for (const OptionsPageLine& line : OptionsPageLines(m_variant, m_image, m_lang)) {
        surface.Text(9 * m.cw, -k * l, line.label);
        surface.Text(35 * m.cw, -k * l, line.value);
        ++k;
    }
}

void CChannelReport::PrintChannelPage(IPrintSurface& surface, const PageMeasures& m, int page) {
    // The grid may have changed since the pages were counted.
    CountChannelPages();
    surface.SelectFont(PageFont(m));
    surface.Text(6 * m.cw, -LineHeight(surface), Label(kChannelTitle));
    surface.SelectFont(BodyFont(m));
    const int l = LineHeight(surface);
    const auto p = static_cast<std::size_t>(page);
    if (p < 2 || p - 1 >= m_pageEnd.size()) {
        return;
    }
    const ChannelBlockLayout& block = m_variant.printBlock;
    int k = 0;
    for (int r = m_pageEnd[p - 2] + 1; r <= m_pageEnd[p - 1]; ++r) {
        if (m_grid.TextMatrix(r, 1).empty()) {
            continue; // an empty row takes no room
        }
        const int y0 = static_cast<int>(std::trunc(k * l * 5.7));
        const auto y = [&](int line) { return -y0 - line * l; };
        // A label and its value in the left half (columns 5 and 22) or the
        // right half (36 and 55).
        const auto pair = [&](bool right, int line, const PrintField& field) {
            surface.Text((right ? 36 : 5) * m.cw, y(line), Label(field.label));
            surface.Text((right ? 55 : 22) * m.cw, y(line), m_grid.TextMatrix(r, field.column));
        };
        surface.Text(4 * m.cw, y(4), Format(kChannelNumber.In(m_lang), r + block.numberOffset));
        pair(false, 5, {kReceive, 1});
        pair(true, 5, {kTransmit, 2});
        pair(false, 6, {kDecode, 3});
        pair(true, 6, {kEncode, 4});
        pair(false, 7, {kPower, 5});
        pair(true, 7, block.third);
        for (std::size_t i = 0; i < block.fourth.size(); ++i) {
            pair(i > 0, 8, block.fourth[i]);
        }
        ++k;
    }
}

} // namespace radio
