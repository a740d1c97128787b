#include "Verbs.h"

#include <IniFile.h>

#include <exception>
#include <iostream>

#ifndef _WIN32
#include <unistd.h>
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    // Profiles (Port1..Port4) are looked for beside the program.
    int terminalFd = -1;
#ifndef _WIN32
    if (isatty(0)) {
        terminalFd = 0;
    }
#endif
    const radioclone::CliContext cli{std::cout, std::cerr,
                                     radio::CIniFile::ProgramDirectoryOf(argc > 0 ? argv[0] : ""),
                                     &std::cin, terminalFd};
    try {
        return radioclone::RunRadioclone(args, cli);
    } catch (const std::exception& e) {
        std::cerr << "radioclone: " << e.what() << "\n";
        return 1;
    }
}
