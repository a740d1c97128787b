// radioclone's verbs. Each takes its own arguments (after the verb) and
// writes its results to the context's out and its errors to its err; the
// status is 0 on success and non-zero on any failure.
#pragma once

#include "Args.h"

#include <string>
#include <vector>

namespace radioclone {

using VerbFn = int (*)(const std::vector<std::string>& args, const CliContext& cli);

struct Verb {
    const char* name;
    const char* summary;
    VerbFn run;
};

// Dispatches `args` (without the program name) to a verb.
int RunRadioclone(const std::vector<std::string>& args, const CliContext& cli);

int VerbNew(const std::vector<std::string>& args, const CliContext& cli);
int VerbExport(const std::vector<std::string>& args, const CliContext& cli);
int VerbImport(const std::vector<std::string>& args, const CliContext& cli);
int VerbOptions(const std::vector<std::string>& args, const CliContext& cli);
int VerbScan(const std::vector<std::string>& args, const CliContext& cli);
int VerbCopy(const std::vector<std::string>& args, const CliContext& cli);
int VerbDiff(const std::vector<std::string>& args, const CliContext& cli);
int VerbCheck(const std::vector<std::string>& args, const CliContext& cli);
int VerbRead(const std::vector<std::string>& args, const CliContext& cli);
int VerbWrite(const std::vector<std::string>& args, const CliContext& cli);
int VerbPorts(const std::vector<std::string>& args, const CliContext& cli);
#ifdef RADIOCLONE_PRINT
int VerbPrint(const std::vector<std::string>& args, const CliContext& cli);
#endif
#ifndef _WIN32
int VerbSimulate(const std::vector<std::string>& args, const CliContext& cli);
#endif

} // namespace radioclone
