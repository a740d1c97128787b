// The verbs that talk to a radio: read, write, simulate, ports.
#include "Verbs.h"

#include <CloneProtocol.h>
#include <IniFile.h>
#include <MemoryImage.h>
#include <PortNames.h>
#include <Strings.h>
#include <SystemWaiter.h>

#ifndef _WIN32
#include <RadioSimulator.h>
#include <unistd.h>
#endif

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <thread>

namespace radioclone {

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
    g_interrupted = true;
    // A second Ctrl+C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

// Ctrl+C (and SIGTERM) set a flag that the transfer polls like the
// dialog's Cancel, so the port is closed and nothing is written.
class InterruptGuard {
public:
    InterruptGuard() {
        g_interrupted = false;
        m_oldInt = std::signal(SIGINT, OnInterrupt);
        m_oldTerm = std::signal(SIGTERM, OnInterrupt);
    }
    ~InterruptGuard() {
        std::signal(SIGINT, m_oldInt);
        std::signal(SIGTERM, m_oldTerm);
    }

private:
    void (*m_oldInt)(int);
    void (*m_oldTerm)(int);
};

bool StderrIsTerminal() {
#ifdef _WIN32
    return false;
#else
    return isatty(2) != 0;
#endif
}

// The transfer host of the command line: progress on stderr, messages as
// text, the Retry/Cancel question answered by the --retries budget.
class CliHost final : public radio::ITransferHost {
public:
    CliHost(std::ostream& err, int pairs, int retries)
        : m_err(err), m_pairs(pairs), m_retries(retries), m_bar(StderrIsTerminal()) {}

    void StepProgress(int pairsDone) override {
        if (!m_bar) {
            return;
        }
        constexpr int kWidth = 40;
        const int filled = m_pairs > 0 ? pairsDone * kWidth / m_pairs : kWidth;
        m_err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << pairsDone
              << "/" << m_pairs;
        m_err.flush();
        m_barShown = true;
    }
    void PumpOneEvent() override {}
    bool CancelRequested() override { return g_interrupted; }
    void ShowMessage(radio::LinkMessage id, const char* detail) override {
        EndBar();
        m_err << "radioclone: " << Text(static_cast<int>(id)) << "\n";
        if (detail && *detail) {
            m_err << "radioclone: " << detail << "\n";
        }
    }
    bool AskRetry() override {
        EndBar();
        m_err << "radioclone: " << Text(radio::ids::kCommunicationError) << "\n";
        if (m_retries > 0 && !g_interrupted) {
            --m_retries;
            m_err << "radioclone: retrying (" << m_retries << " more after this)\n";
            return true;
        }
        return false;
    }
    // The transfer is over: the bar's line is ended.
    void EndBar() {
        if (m_barShown) {
            m_err << "\n";
            m_barShown = false;
        }
    }

private:
    // The programmers' own English message texts.
    static std::string_view Text(int id) { return radio::LoadResString(id); }

    std::ostream& m_err;
    int m_pairs;
    int m_retries;
    bool m_bar;
    bool m_barShown = false;
};

// comN names map through key "PortN" of the programmer's profile; the tool
// reads the profile beside itself when there is one, and never creates it.
radio::ProfilePortLookup ProfileLookup(const radio::ModelVariant& v, const CliContext& cli) {
    const std::string path = (std::filesystem::path(cli.programDirectory) / v.profileFile).string();
    return [path](int n) -> std::string {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) {
            return {};
        }
        radio::CIniFile ini;
        ini.Open(path);
        return ini.GetValue(radio::kPortSection, radio::ProfilePortKey(n), "");
    };
}

bool RetriesFromArgs(const ParsedArgs& p, int& retries, const CliContext& cli) {
    const std::string text = p.Value("--retries", "0");
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || n > 1000) {
        Fail(cli, "--retries takes a whole number from 0 to 1000, not \"" + text + "\"");
        return false;
    }
    retries = static_cast<int>(n);
    return true;
}

int ExitFor(const radio::TransferResult& r) {
    switch (r.outcome) {
    case radio::TransferOutcome::Completed:
        return kExitOk;
    case radio::TransferOutcome::Cancelled:
        return 130;
    case radio::TransferOutcome::Failed:
        break;
    }
    return kExitFailure;
}

int Transfer(const std::vector<std::string>& args, const CliContext& cli, bool write) {
    static const VerbSpec kReadSpec{
        "usage: radioclone read --model M --port PORT -o FILE.dat [--retries N]\n"
        "Reads the radio's memory into a new .dat file (written only when every block\n"
        "arrived). Bytes the radio does not send keep the model's defaults.\n"
        "  --model M    lark, wren, wren-v2 or wren-v3\n"
        "  --port PORT  com1..com4 (see 'radioclone ports') or a device path\n"
        "  --retries N  answer Retry N times when the radio does not answer (default 0)\n"
        "Ctrl+C cancels: the port is closed and nothing is written.\n",
        {{"--model", true}, {"--port", true}, {"-o", true}, {"--retries", true}},
        0};
    static const VerbSpec kWriteSpec{
        "usage: radioclone write --model M --port PORT FILE.dat [--retries N]\n"
        "Writes the image of FILE.dat into the radio, as the file holds it.\n"
        "  --model M    lark, wren, wren-v2 or wren-v3\n"
        "  --port PORT  com1..com4 (see 'radioclone ports') or a device path\n"
        "  --retries N  answer Retry N times when the radio does not answer (default 0)\n"
        "Ctrl+C cancels between blocks.\n",
        kReadSpec.options, 1};
    const VerbSpec& verbSpec = write ? kWriteSpec : kReadSpec;
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, verbSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    int retries = 0;
    if (!RetriesFromArgs(p, retries, cli)) {
        return kExitUsage;
    }
    const std::string port = p.Value("--port");
    if (port.empty()) {
        return FailUsage(cli, "--port is required", verbSpec.usage);
    }
    const std::string output = p.Value("-o");
    if (!write && output.empty()) {
        return FailUsage(cli, "-o FILE.dat is required", verbSpec.usage);
    }
    if (write && p.Has("-o")) {
        return FailUsage(cli, "write takes no -o", verbSpec.usage);
    }

    if (!write) {
        // Find out now, not after a whole transfer, that the file cannot go there.
        const std::filesystem::path target(output);
        const std::filesystem::path folder =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            return Fail(cli, output + ": the folder " + folder.string() + " does not exist");
        }
        if (std::filesystem::is_directory(target, ec)) {
            return Fail(cli, output + ": is a folder, not a file");
        }
    }
    radio::Image image = radio::MakeDefaultImage(v);
    std::string error;
    if (write && !radio::LoadDat(v, p.positional[0], image, error)) {
        return Fail(cli, error);
    }
    const radio::TransferPlan& plan = write ? v.writePlan : v.readPlan;
    CliHost host(cli.err, plan.Pairs(), retries);
    radio::SystemPortOpener opener(ProfileLookup(v, cli));
    radio::SystemWaiter waiter;
    radio::CloneTransfer transfer(v, opener, waiter, host);
    {
        InterruptGuard guard;
        transfer.Run(port, write, image);
    }
    host.EndBar();
    const radio::TransferResult& result = transfer.Result();
    if (result.outcome == radio::TransferOutcome::Cancelled) {
        Fail(cli, std::string("cancelled; ") +
                      (write ? "the radio may hold a partial write" : "nothing was written"));
    }
    if (result.outcome != radio::TransferOutcome::Completed) {
        return ExitFor(result);
    }
    if (!write && !radio::StoreDat(output, image, error)) {
        return Fail(cli, error);
    }
    return kExitOk;
}

} // namespace

int VerbRead(const std::vector<std::string>& args, const CliContext& cli) {
    return Transfer(args, cli, false);
}

int VerbWrite(const std::vector<std::string>& args, const CliContext& cli) {
    return Transfer(args, cli, true);
}

int VerbPorts(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone ports [--model M]\n"
        "Lists the serial devices present and which of com1..com4 each one is.\n"
        "  --model M   take Port1..Port4 of that programmer's profile into account\n",
        {{"--model", true}},
        0,
        false};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    std::ostream& out = cli.out;
    radio::ProfilePortLookup lookup;
    if (verb->parsed.Has("--model")) {
        const radio::ModelVariant* v = ModelFromArgs(verb->parsed, cli);
        if (!v) {
            return kExitUsage;
        }
        lookup = ProfileLookup(*v, cli);
    }
    const std::vector<radio::SerialDeviceInfo> devices = radio::ListSerialDevices();
    auto lister = [&devices] { return devices; };
    std::vector<std::string> names(devices.size());
    for (int n = 1; n <= 4; ++n) {
        const std::string dev = radio::ResolvePortName("com" + std::to_string(n), lookup, lister);
        bool listed = false;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].path == dev) {
                names[i] += (names[i].empty() ? "" : ", ") + ("com" + std::to_string(n));
                listed = true;
            }
        }
        if (!dev.empty() && !listed) {
            out << "com" << n << "\t" << dev << "\t(from the profile)\n";
        }
    }
    if (devices.empty()) {
        out << "No serial devices found.\n";
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        out << (names[i].empty() ? "-" : names[i]) << "\t" << devices[i].path;
        if (!devices[i].description.empty()) {
            out << "\t" << devices[i].description;
        }
        out << "\n";
    }
    return kExitOk;
}

#ifndef _WIN32
int VerbSimulate(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone simulate --model M [--image FILE.dat] [--save FILE.dat]\n"
        "                           [--link PATH] [--line-rate] [--fault F]\n"
        "Plays a radio on a pseudo-terminal until interrupted (Ctrl+C): prints the\n"
        "device to use as the port, and serves one session after another.\n"
        "  --model M      lark, wren, wren-v2 or wren-v3\n"
        "  --image FILE   the radio's memory at start (default: the model's defaults)\n"
        "  --save FILE    save the memory there after every session that wrote to it\n"
        "  --link PATH    also make the symbolic link PATH to the device\n"
        "  --line-rate    pace every byte as on a 9600 baud line\n"
        "  --fault F      misbehave: never-answer, no-ident-ack, short-reply:K,\n"
        "                 silence-from:K, hang-up:K (K counts blocks from 0), or\n"
        "                 flip-byte:A (the byte written to address A is kept with its\n"
        "                 lowest bit flipped); after any of them @N strikes in session\n"
        "                 N only, @N- in session N and after (sessions count from 1);\n"
        "                 --fault may be given more than once\n",
        {{"--model", true},
         {"--image", true},
         {"--save", true},
         {"--link", true},
         {"--line-rate", false},
         {"--fault", true, true}},
        0};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant* v = verb->model;
    std::ostream& out = cli.out;
    std::ostream& err = cli.err;
    radio::sim::SimulatorOptions options;
    options.lineRate = p.Has("--line-rate");
    options.savePath = p.Value("--save");
    options.linkPath = p.Value("--link");
    std::string error;
    for (const std::string& text : p.Values("--fault")) {
        radio::sim::Fault fault;
        if (!radio::sim::ParseFault(text, fault, error)) {
            return Fail(cli, error, kExitUsage);
        }
        options.faults.push_back(fault);
    }
    radio::Image memory = radio::MakeDefaultImage(*v);
    if (p.Has("--image") && !radio::LoadDat(*v, p.Value("--image"), memory, error)) {
        return Fail(cli, error);
    }
    radio::sim::RadioSimulator sim;
    sim.SetSessionCallback([&err, &out, &sim](const radio::sim::SessionRecord& s) {
        err << "session " << s.number << ": " << s.blocksRead << " blocks read, " << s.blocksWritten
            << " blocks written" << (s.hungUp ? ", hung up" : "") << (s.saved ? ", saved" : "")
            << (s.saveError.empty() ? "" : ", " + s.saveError) << "\n";
        err.flush();
        if (s.hungUp) {
            // The radio serves on from a new device; say which.
            out << sim.DevicePath() << "\n";
            out.flush();
            err << "The radio is now on " << sim.DevicePath() << "\n";
            err.flush();
        }
    });
    InterruptGuard guard;
    if (!sim.Start(*v, memory, options, error)) {
        return Fail(cli, error);
    }
    out << sim.DevicePath() << "\n";
    out.flush();
    err << "Simulating " << v->programName << " on " << sim.DevicePath()
        << (options.linkPath.empty() ? "" : " (" + options.linkPath + ")") << "; Ctrl+C ends.\n";
    err.flush();
    while (!g_interrupted && sim.ServeError().empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const std::string serveError = sim.ServeError();
    sim.Stop();
    if (!serveError.empty()) {
        return Fail(cli, serveError);
    }
    return kExitOk;
}
#endif

} // namespace radioclone
