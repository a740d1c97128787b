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

    void CommitCellEditor() override {}
    void GridToImage() override {} // the file's bytes go out as they are
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
    void EndProcessDialog() override { EndBar(); }
    void AfterRead() override {}

private:
    // The programmers' own English message texts.
    static std::string_view Text(int id) {
        return radio::LoadResString(id, radio::Language::English);
    }

    void EndBar() {
        if (m_barShown) {
            m_err << "\n";
            m_barShown = false;
        }
    }

    std::ostream& m_err;
    int m_pairs;
    int m_retries;
    bool m_bar;
    bool m_barShown = false;
};

// comN names map through key "PortN" of the programmer's profile; the tool
// reads the profile beside itself when there is one, and never creates it.
radio::ProfilePortLookup ProfileLookup(const radio::ModelVariant& v) {
    const std::string path =
        (std::filesystem::path(radio::CIniFile::ProgramDirectory()) / v.profileFile).string();
    return [path](int n) -> std::string {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) {
            return {};
        }
        radio::CIniFile ini(4);
        ini.Open(path);
        return ini.GetValue("Setup", "Port" + std::to_string(n), "");
    };
}

bool RetriesFromArgs(const ParsedArgs& p, int& retries, std::ostream& err) {
    const std::string text = p.Value("--retries", "0");
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || n > 1000) {
        err << "radioclone: --retries takes a whole number from 0 to 1000, not \"" << text
            << "\"\n";
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

int Transfer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             bool write) {
    static constexpr const char* kReadUsage =
        "usage: radioclone read --model M --port PORT -o FILE.dat [--retries N]\n"
        "Reads the radio's memory into a new .dat file (written only when every block\n"
        "arrived). Bytes the radio does not send keep the model's defaults.\n"
        "  --model M    lark, wren, wren-v2 or wren-v3\n"
        "  --port PORT  com1..com4 (see 'radioclone ports') or a device path\n"
        "  --retries N  answer Retry N times when the radio does not answer (default 0)\n"
        "Ctrl+C cancels: the port is closed and nothing is written.\n";
    static constexpr const char* kWriteUsage =
        "usage: radioclone write --model M --port PORT FILE.dat [--retries N]\n"
        "Writes the image of FILE.dat into the radio, as the file holds it.\n"
        "  --model M    lark, wren, wren-v2 or wren-v3\n"
        "  --port PORT  com1..com4 (see 'radioclone ports') or a device path\n"
        "  --retries N  answer Retry N times when the radio does not answer (default 0)\n"
        "Ctrl+C cancels between blocks.\n";
    ParsedArgs p;
    int code = 0;
    const std::vector<OptionSpec> specs{
        {"--model", true}, {"--port", true}, {"-o", true}, {"--retries", true}};
    const radio::ModelVariant* v = nullptr;
    if (!ParseVerbArgs(args, specs, write ? kWriteUsage : kReadUsage, write ? 1 : 0, p, out, err,
                       code, &v)) {
        return code;
    }
    int retries = 0;
    if (!RetriesFromArgs(p, retries, err)) {
        return kExitUsage;
    }
    const std::string port = p.Value("--port");
    if (port.empty()) {
        err << "radioclone: --port is required\n" << (write ? kWriteUsage : kReadUsage);
        return kExitUsage;
    }
    const std::string output = p.Value("-o");
    if (!write && output.empty()) {
        err << "radioclone: -o FILE.dat is required\n" << kReadUsage;
        return kExitUsage;
    }
    if (write && p.Has("-o")) {
        err << "radioclone: write takes no -o\n" << kWriteUsage;
        return kExitUsage;
    }

    if (!write) {
        // Find out now, not after a whole transfer, that the file cannot go there.
        const std::filesystem::path target(output);
        const std::filesystem::path folder =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            err << "radioclone: " << output << ": the folder " << folder.string()
                << " does not exist\n";
            return kExitFailure;
        }
        if (std::filesystem::is_directory(target, ec)) {
            err << "radioclone: " << output << ": is a folder, not a file\n";
            return kExitFailure;
        }
    }
    radio::Image image = radio::MakeDefaultImage(*v);
    std::string error;
    if (write && !radio::LoadDat(*v, p.positional[0], image, error)) {
        err << "radioclone: " << error << "\n";
        return kExitFailure;
    }
    const radio::TransferPlan& plan = write ? v->writePlan : v->readPlan;
    CliHost host(err, plan.Pairs(), retries);
    radio::SystemPortOpener opener(ProfileLookup(*v));
    radio::SystemWaiter waiter;
    radio::CloneTransfer transfer(*v, opener, waiter, host);
    {
        InterruptGuard guard;
        transfer.Run(port, write, image);
    }
    const radio::TransferResult& result = transfer.Result();
    if (result.outcome == radio::TransferOutcome::Cancelled) {
        err << "radioclone: cancelled; "
            << (write ? "the radio may hold a partial write" : "nothing was written") << "\n";
    }
    if (result.outcome != radio::TransferOutcome::Completed) {
        return ExitFor(result);
    }
    if (!write && !radio::StoreDat(output, image, error)) {
        err << "radioclone: " << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int VerbRead(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Transfer(args, out, err, false);
}

int VerbWrite(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Transfer(args, out, err, true);
}

int VerbPorts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr const char* kUsage =
        "usage: radioclone ports [--model M]\n"
        "Lists the serial devices present and which of com1..com4 each one is.\n"
        "  --model M   take Port1..Port4 of that programmer's profile into account\n";
    ParsedArgs p;
    int code = 0;
    if (!ParseVerbArgs(args, {{"--model", true}}, kUsage, 0, p, out, err, code)) {
        return code;
    }
    radio::ProfilePortLookup lookup;
    if (p.Has("--model")) {
        const radio::ModelVariant* v = ModelFromArgs(p, err);
        if (!v) {
            return kExitUsage;
        }
        lookup = ProfileLookup(*v);
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
int VerbSimulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr const char* kUsage =
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
        "                 silence-from:K, hang-up:K (K counts blocks from 0)\n";
    ParsedArgs p;
    int code = 0;
    const radio::ModelVariant* v = nullptr;
    if (!ParseVerbArgs(args,
                       {{"--model", true},
                        {"--image", true},
                        {"--save", true},
                        {"--link", true},
                        {"--line-rate", false},
                        {"--fault", true}},
                       kUsage, 0, p, out, err, code, &v)) {
        return code;
    }
    radio::sim::SimulatorOptions options;
    options.lineRate = p.Has("--line-rate");
    options.savePath = p.Value("--save");
    options.linkPath = p.Value("--link");
    std::string error;
    if (p.Has("--fault") && !radio::sim::ParseFault(p.Value("--fault"), options.fault, error)) {
        err << "radioclone: " << error << "\n";
        return kExitUsage;
    }
    radio::Image memory = radio::MakeDefaultImage(*v);
    if (p.Has("--image") && !radio::LoadDat(*v, p.Value("--image"), memory, error)) {
        err << "radioclone: " << error << "\n";
        return kExitFailure;
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
        err << "radioclone: " << error << "\n";
        return kExitFailure;
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
        err << "radioclone: " << serveError << "\n";
        return kExitFailure;
    }
    return kExitOk;
}
#endif

} // namespace radioclone
