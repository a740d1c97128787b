#include "HelpTestSupport.h"

#include <QApplication>

#include <regex>

const std::vector<std::uint32_t>& UsedContextNumbers() {
    static const std::vector<std::uint32_t> numbers = {
        // File, Edit, Program, View, Setup and Help menus
        57600, 57601, 57602, 57603, 57604, 57606, 57607, 57609, 57665, 32786, 32787, 32788, 32773,
        32774, 32782, 59392, 59393, 32780, 32777, 32799, 57664,
        // channel table and cell editors
        1000, 2127, 2128, 2132, 2133, 1129, 1134, 1139, 1128, 1127, 1126,
        // Product Information
        1013, 1014, 1, 2,
        // Optional Features of all four programmers
        1005, 1016, 1116, 1117, 1118, 1119, 1120, 1121, 1122, 1123, 1124, 1125, 1126, 1127, 1128,
        1129, 1130};
    return numbers;
}

std::string BuiltHelpFile(const std::string& name) {
    return std::string(RADIO_HELP_DIR) + "/" + name;
}

std::string VisibleText(const std::string& html) {
    std::string text = std::regex_replace(html, std::regex("<head>[\\s\\S]*?</head>"), " ");
    text = std::regex_replace(text, std::regex("<!--[\\s\\S]*?-->"), " ");
    text = std::regex_replace(text, std::regex("<[^>]*>"), " ");
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

std::vector<std::string> LinkTargets(const std::string& html) {
    std::vector<std::string> targets;
    const std::regex attribute("(?:href|src)\\s*=\\s*\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        targets.push_back((*it)[1].str());
    }
    return targets;
}

void EnsureApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "help_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
