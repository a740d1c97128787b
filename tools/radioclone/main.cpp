#include "Verbs.h"

#include <IniFile.h>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // Profiles (Port1..Port4) are looked for beside the program.
    radio::CIniFile::SetProgramPath(argc > 0 ? argv[0] : "");
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return radioclone::RunRadioclone(args, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "radioclone: " << e.what() << "\n";
        return 1;
    }
}
