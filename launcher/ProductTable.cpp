#include "ProductTable.h"

namespace launcher {

namespace {

constexpr ProductRow kRows[] = {
    {"ProgramLark.ini", "ProgramLark"},
    {"ProgramWren.ini", "ProgramWren"},
    {"ProgramWrenV2.ini", "ProgramWrenV2"},
    {"ProgramWrenV3.ini", "ProgramWrenV3"},
};

} // namespace

const ProductRow& ProductFor(int listIndex) {
    return listIndex >= 0 && listIndex < 3 ? kRows[listIndex] : kRows[3];
}

std::string ProgramFileName(const ProductRow& row) {
#ifdef _WIN32
    return std::string(row.program) + ".exe";
#else
    return row.program;
#endif
}

std::vector<std::string> SplitTypes(std::string_view types) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= types.size()) {
        const std::size_t comma = types.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? types.size() : comma;
        if (end > start) {
            names.emplace_back(types.substr(start, end - start));
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return names;
}

} // namespace launcher
