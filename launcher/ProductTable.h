// What ProductLauncher knows without a window: which programmer each place
// of its product list starts, how the list is read from "Program.ini", and
// its texts in both languages. It shares only the profile store with the
// programmers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace launcher {

struct ProductRow {
    const char* profileFile; // written with the chosen language
    const char* program;     // started, from the launcher's own folder
};

// The place in the list decides, whatever the names say; any other place,
// and no selection, is ProgramWrenV3.
const ProductRow& ProductFor(int listIndex);

// The program file of a row as it lies beside the launcher ("ProgramLark",
// on Windows "ProgramLark.exe").
std::string ProgramFileName(const ProductRow& row);

// The names of "Type": split at ",", empty pieces skipped, nothing trimmed.
std::vector<std::string> SplitTypes(std::string_view types);

struct LauncherText {
    std::string_view english;
    std::string_view chinese;
    std::string_view In(bool chinese_) const { return chinese_ ? chinese : english; }
};

inline constexpr LauncherText kChineseBox{"Chinese", "中文"};
inline constexpr LauncherText kEnglishBox{"English", "英文"};
inline constexpr LauncherText kSelectProduct{"Select Product", "请选择产品"};
inline constexpr LauncherText kOk{"OK", "确认"};
inline constexpr LauncherText kCancel{"Cancel", "取消"};
inline constexpr LauncherText kNotStarted{"%1 could not be started:\n%2", "无法启动 %1：\n%2"};

} // namespace launcher
