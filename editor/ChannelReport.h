// The printed report of a document: page 1 lists the radio's optional
// features, the following pages the used channels, seven to a page, each as
// a block of labels and values. Every page has the same frame: a double rule
// under the title, a rule above the footer, the owner text and "Page n of m".
//
// Everything is measured in twips with y growing upward (so every y on the
// page is negative), derived from the printable rectangle, so the report
// scales to the paper. The layout draws through IPrintSurface: a printer, a
// preview, a PDF, or a test's recording.
#pragma once

#include "ChannelGrid.h"
#include "MemoryImage.h"
#include "Texts.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace radio {

struct PrintFont {
    std::string face;
    int height = 0; // twips; negative: the character height
    int width = 0;  // average character width, twips
    int weight = 400;
    bool operator==(const PrintFont&) const = default;
};

struct PrintTextMetrics {
    int height = 0; // twips
    int externalLeading = 0;
};

class IPrintSurface {
public:
    virtual ~IPrintSurface() = default;
    virtual void SelectFont(const PrintFont& font) = 0;
    // Of the selected font.
    virtual PrintTextMetrics TextMetrics() const = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Text whose top left corner is at (x, y).
    virtual void Text(int x, int y, std::string_view text) = 0;
};

// The printable rectangle of a page in device pixels, and the device's
// pixels per inch.
struct PrintableArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The page's column unit (a 66th of its width) and the page font's height (a
// 45th of its height, negative), in twips, truncated as the device units
// are converted.
struct PageMeasures {
    int cw = 0;
    int H = 0;
    static PageMeasures Of(const PrintableArea& area);
};

inline constexpr char kPrintFace[] = "Times New Roman";

class CChannelReport {
public:
    // `grid`: the channel texts as the grid shows them now; `image`: the
    // option bytes; `owner`: the footer's text.
    CChannelReport(const ModelVariant& variant, const IChannelTable& grid, const Image& image,
                   Language lang, std::string owner);

    // Fills the page table from the grid and returns the number of channel
    // pages.
    int CountChannelPages();
    // The report's pages: the options page and the channel pages.
    int PageCount() { return CountChannelPages() + 1; }

    // Draws page `page` of `maxPage` on a page of `area`.
    void OnPrint(IPrintSurface& surface, const PrintableArea& area, int page, int maxPage);

    // m_pageEnd[p]: the grid row that ends channel page p (entry 0 is 0).
    std::vector<int> m_pageEnd;
    int m_nUsedChannels = 0;

private:
    void PrintOptionsPage(IPrintSurface& surface, const PageMeasures& m);
    void PrintChannelPage(IPrintSurface& surface, const PageMeasures& m, int page);
    int LastRow() const { return m_variant.channelRows; }
    std::string Label(const TextPair& text) const { return std::string(text.In(m_lang)); }

    const ModelVariant& m_variant;
    const IChannelTable& m_grid;
    const Image& m_image;
    Language m_lang;
    std::string m_owner;
};

} // namespace radio
