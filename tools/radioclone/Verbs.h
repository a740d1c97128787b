// radioclone's verbs. Each takes its own arguments (after the verb) and
// writes its results to `out` and its errors to `err`; the status is 0 on
// success and non-zero on any failure.
#pragma once

#include "Args.h"

#include <Variant.h>

#include <iosfwd>
#include <string>
#include <vector>

namespace radioclone {

using VerbFn = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Verb {
    const char* name;
    const char* summary;
    VerbFn run;
};

// Dispatches `args` (without the program name) to a verb.
int RunRadioclone(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int VerbNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerbExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerbImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerbOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerbRead(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerbWrite(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerbPorts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
#ifndef _WIN32
int VerbSimulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
#endif

// Shared by the verbs.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Parses the verb's arguments; on --help prints `usage` to `out` and sets
// `exitCode` to 0; on an error prints it with the usage to `err`. With
// `model` set, --model is required and resolved into it.
bool ParseVerbArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                   const char* usage, std::size_t positionals, ParsedArgs& parsed,
                   std::ostream& out, std::ostream& err, int& exitCode,
                   const radio::ModelVariant** model = nullptr);

// The variant named by --model; nullptr after printing an error.
const radio::ModelVariant* ModelFromArgs(const ParsedArgs& parsed, std::ostream& err);

} // namespace radioclone
