// The image check of the channel view: one notice for everything the
// product cannot hold, and marks on the cells concerned.
#include "ChannelView.h"

#include "AppContext.h"

#include <string>
#include <string_view>

namespace {

// More lines make a box taller than the screen; the marks show the rest.
constexpr std::size_t kMaxNoticeLines = 15;

constexpr radio::TextPair kFindings{
    "This data holds what the radio's product cannot take. Nothing was changed; the cells "
    "concerned are marked in the channel table until they are edited.",
    "该数据中有本产品不能接受的内容。数据未作任何修改；有问题的单元格已在信道表中标出，修改后标记消"
    "失。"};
constexpr radio::TextPair kBand{"Band: %1", "频段：%1"};
constexpr radio::TextPair kMore{"... and %1 more", "……另有 %1 项"};

std::string Filled(std::string_view text, const std::string& value) {
    std::string out(text);
    const std::size_t at = out.find("%1");
    if (at != std::string::npos) {
        out.replace(at, 2, value);
    }
    return out;
}

} // namespace

radio::ImageCheckReport CChannelView::ReviewImage() {
    m_grid->ClearCellMarks();
    if (m_pDocument == nullptr) {
        return {};
    }
    const radio::Language lang = m_app.language.textLanguage;
    const radio::ProductBand band = Product();
    radio::ImageCheckReport report =
        radio::CheckImage(m_variant, m_pDocument->GetImage(), band, lang);
    if (report.Clean()) {
        return report;
    }
    for (const radio::CellFinding& cell : report.cells) {
        m_grid->MarkCell(cell.row, cell.col, cell.reason);
    }
    std::string notice(kFindings.In(lang));
    if (!band.text.empty()) {
        notice += "\n" + Filled(kBand.In(lang), band.text);
    }
    notice += "\n";
    const std::vector<std::string> lines = report.Lines(lang);
    for (std::size_t i = 0; i < lines.size() && i < kMaxNoticeLines; ++i) {
        notice += "\n" + lines[i];
    }
    if (lines.size() > kMaxNoticeLines) {
        notice += "\n" + Filled(kMore.In(lang), std::to_string(lines.size() - kMaxNoticeLines));
    }
    QWidget* owner = m_app.mainWindow != nullptr ? m_app.mainWindow : window();
    m_app.ShowMessage(owner, notice, m_app.language.displayName, radio::MessageIcon::Exclamation);
    return report;
}
