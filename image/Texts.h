// English/Chinese text pairs supplied by the code itself.
//
// Every text the programs write into the grid, the titles and the printout
// exists in both languages; the language flag picks one. Texts are UTF-8 and
// compared as whole strings (UTF-8 equality is Unicode equality here, since
// every text we compare against is in one canonical form).
#pragma once

#include <string>
#include <string_view>

namespace radio {

enum class Language { English, Chinese };

struct TextPair {
    std::string_view en;
    std::string_view zh;

    std::string_view In(Language lang) const { return lang == Language::Chinese ? zh : en; }
    bool Matches(std::string_view text) const { return text == en || text == zh; }
};

namespace texts {
inline constexpr TextPair kHigh{"High", "高"};
inline constexpr TextPair kMiddle{"Middle", "中"};
inline constexpr TextPair kLow{"Low", "低"};
inline constexpr TextPair kWide{"Wide", "宽"};
inline constexpr TextPair kNarrow{"Narrow", "窄"};
inline constexpr TextPair kOff{"Off", "关"};
inline constexpr TextPair kCarrier{"Carrier", "载波"};
inline constexpr TextPair kQtDqt{"QT/DQT", "QT/DQT"};
inline constexpr TextPair kLock{"Lock", "锁定"};
inline constexpr TextPair kUnlock{"Unlock", "未锁定"};
inline constexpr TextPair kYes{"Yes", "有"};
inline constexpr TextPair kNo{"No", "无"};
inline constexpr TextPair kNone{"None", "无"};
inline constexpr TextPair kChannelInformation{"Channel Information", "信道信息"};
inline constexpr TextPair kReadData{"Read Data", "读数据"};
inline constexpr TextPair kWriteData{"Write Data", "写数据"};
} // namespace texts

} // namespace radio
