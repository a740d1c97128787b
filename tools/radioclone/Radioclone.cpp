#include "Verbs.h"

#include <ostream>

namespace radioclone {

namespace {

const std::vector<Verb>& Verbs() {
    static const std::vector<Verb> verbs{
        {"new", "write the image of a new document", VerbNew},
        {"export", "write the channel table of an image as CSV", VerbExport},
        {"import", "store a CSV channel table into an image", VerbImport},
        {"options", "print or change the optional features of an image", VerbOptions},
        {"scan", "print or change ProgramLark's Scan Information", VerbScan},
        {"copy", "copy the channel table into another programmer's image", VerbCopy},
        {"diff", "list the channels and options in which two images differ", VerbDiff},
        {"check", "list what the product cannot hold of an image", VerbCheck},
#ifdef RADIOCLONE_PRINT
        {"print", "write the printed report of an image as PDF", VerbPrint},
#endif
        {"read", "read a radio into a .dat file", VerbRead},
        {"write", "write a .dat file into a radio", VerbWrite},
#ifndef _WIN32
        {"simulate", "play a radio on a pseudo-terminal", VerbSimulate},
#endif
        {"ports", "list the serial ports", VerbPorts},
    };
    return verbs;
}

void PrintUsage(std::ostream& os) {
    os << "usage: radioclone VERB [options]\n"
          "Reads, edits and writes the memory images of the channel programmers' radios.\n\n"
          "Verbs:\n";
    for (const Verb& v : Verbs()) {
        os << "  " << v.name << std::string(10 - std::string(v.name).size(), ' ') << v.summary
           << "\n";
    }
    os << "\nModels: lark, wren, wren-v2, wren-v3.\n"
          "Run 'radioclone VERB --help' for the options of a verb, 'radioclone --version'\n"
          "for the version.\n";
}

} // namespace

int RunRadioclone(const std::vector<std::string>& args, const CliContext& cli) {
    if (!args.empty() && args[0] == "--version") {
        cli.out << "radioclone " << RADIO_VERSION << "\n";
        return kExitOk;
    }
    if (args.empty()) {
        PrintUsage(cli.err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(cli.out);
        return kExitOk;
    }
    for (const Verb& v : Verbs()) {
        if (args[0] == v.name) {
            return v.run(std::vector<std::string>(args.begin() + 1, args.end()), cli);
        }
    }
    Fail(cli, "unknown verb \"" + args[0] + "\"");
    PrintUsage(cli.err);
    return kExitUsage;
}

} // namespace radioclone
