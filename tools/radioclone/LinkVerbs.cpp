// The verbs that talk to a radio: read, write, simulate, ports.
#include "Verbs.h"

#include <CloneProtocol.h>
#include <IniFile.h>
#include <MemoryImage.h>
#include <PortNames.h>
#include <RadioWriter.h>
#include <Strings.h>
#include <SystemWaiter.h>

#ifndef _WIN32
#include <RadioSimulator.h>
#include <poll.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <ostream>
#include <thread>

namespace radioclone {

namespace {

// Ctrl+C (and SIGTERM) count here. A transfer polls the count like the
// dialog's Cancel, so the port is closed between block pairs; a row of
// radios (--repeat) lets the first one end the row after the current radio
// and only a second one cancel the transfer. The one after that ends the
// program at once.
std::atomic<int> g_interrupts{0};
std::atomic<int> g_cancelAt{1};

extern "C" void OnInterrupt(int) {
    if (++g_interrupts >= g_cancelAt) {
        std::signal(SIGINT, SIG_DFL);
    }
}

bool Interrupted() {
    return g_interrupts > 0;
}

class InterruptGuard {
public:
    // `cancelAt`: the Ctrl+C that cancels a running transfer.
    explicit InterruptGuard(int cancelAt = 1) {
        g_interrupts = 0;
        g_cancelAt = cancelAt;
        m_oldInt = std::signal(SIGINT, OnInterrupt);
        m_oldTerm = std::signal(SIGTERM, OnInterrupt);
    }
    ~InterruptGuard() {
        std::signal(SIGINT, m_oldInt);
        std::signal(SIGTERM, m_oldTerm);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

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
    CliHost(std::ostream& err, int retries)
        : m_err(err), m_retries(retries), m_bar(StderrIsTerminal()) {}

    void BeginTransfer(bool write, int pairs) override {
        EndBar();
        m_pairs = pairs;
        m_direction = write ? "write" : "read";
    }
    void StepProgress(int pairsDone) override {
        if (!m_bar) {
            return;
        }
        constexpr int kWidth = 40;
        const int filled = m_pairs > 0 ? std::min(pairsDone * kWidth / m_pairs, kWidth) : kWidth;
        m_err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << pairsDone
              << "/" << m_pairs << " " << m_direction;
        m_err.flush();
        m_barShown = true;
    }
    void PumpOneEvent() override {}
    bool CancelRequested() override { return g_interrupts >= g_cancelAt; }
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
        if (m_retries > 0 && !CancelRequested()) {
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
    int m_pairs = 0;
    const char* m_direction = "";
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

// What the user is told of a write that did not succeed: the writer's
// message, with the link's reason after it when a transfer failed.
std::string FailureText(const radio::WriteReport& r) {
    if (r.outcome == radio::TransferOutcome::Cancelled) {
        return r.written || r.failure == radio::WriteFailure::ReadBack
                   ? "cancelled during the read-back; the write is not verified"
               : r.failure == radio::WriteFailure::BackupRead
                   ? "cancelled during the backup; nothing was written to the radio"
                   : "cancelled; the radio may hold a partial write";
    }
    std::string link;
    if (r.transfer.outcome == radio::TransferOutcome::Failed &&
        r.failure != radio::WriteFailure::Mismatch &&
        r.failure != radio::WriteFailure::BackupSave) {
        link = radio::LoadResString(static_cast<int>(r.transfer.message));
        if (!r.transfer.detail.empty()) {
            link += " (" + r.transfer.detail + ")";
        }
    }
    if (r.messageId == 0) {
        return link;
    }
    const std::string own =
        radio::FillMessageArgs(radio::LoadResString(r.messageId), r.messageArgs);
    return link.empty() ? own : own + " " + link;
}

// How a row of radios waits for the next one: at a terminal the user says
// (Enter or q); without one the port is watched until a radio answers.
class NextRadio {
public:
    NextRadio(const CliContext& cli, radio::RadioWriter& writer, std::string port)
        : m_cli(cli), m_writer(writer), m_port(std::move(port)) {}

    // False when the row ends here.
    bool Wait() {
        if (Interrupted()) {
            return false;
        }
        return m_cli.terminalFd >= 0 && m_cli.in != nullptr ? Ask() : Watch();
    }

private:
    bool Ask() {
        m_cli.out << "Connect the next radio and press Enter (q to stop): ";
        m_cli.out.flush();
        std::istream& in = *m_cli.in;
        // Ctrl+C must end the wait too, so the line is awaited in steps.
        while (in.rdbuf()->in_avail() <= 0 && !Interrupted()) {
#ifndef _WIN32
            pollfd p{m_cli.terminalFd, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                break;
            }
#else
            break;
#endif
        }
        if (Interrupted()) {
            m_cli.out << "\n";
            return false;
        }
        std::string line;
        if (!std::getline(in, line)) {
            m_cli.out << "\n";
            return false;
        }
        return !(line == "q" || line == "Q");
    }

    bool Watch() {
        m_cli.out << "Waiting for the next radio on " << m_port << " (Ctrl+C ends)\n";
        m_cli.out.flush();
        radio::SystemWaiter waiter;
        while (!Interrupted()) {
            if (m_writer.RadioAnswers(m_port)) {
                return true;
            }
            // A silent radio already took the read's time-out; a port that
            // is not there (a cable being changed) gets a pause instead.
            waiter.WaitMs(250);
        }
        return false;
    }

    const CliContext& m_cli;
    radio::RadioWriter& m_writer;
    std::string m_port;
};

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
        "                        [--verify] [--backup DIR] [--repeat]\n"
        "Writes the image of FILE.dat into the radio, as the file holds it.\n"
        "  --model M     lark, wren, wren-v2 or wren-v3\n"
        "  --port PORT   com1..com4 (see 'radioclone ports') or a device path\n"
        "  --retries N   answer Retry N times when the radio does not answer (default 0)\n"
        "  --verify      read the radio back and compare what was written; a difference\n"
        "                (first address, number of bytes) fails the write\n"
        "  --backup DIR  first read the radio into DIR/<program>-<date>-<time>.dat; when\n"
        "                that fails, nothing is written\n"
        "  --repeat      one radio after another: after each, Enter goes on and q stops\n"
        "                (without a terminal: the next radio to answer is written);\n"
        "                a summary of written, verified and failed radios ends it\n"
        "The backup and the read-back move the read plan only (not ProgramLark's\n"
        "0x3C0-0x3FF). Ctrl+C cancels between blocks; with --repeat the first Ctrl+C\n"
        "ends the row after the current radio and a second cancels between blocks.\n",
        {{"--model", true},
         {"--port", true},
         {"-o", true},
         {"--retries", true},
         {"--verify", false},
         {"--backup", true},
         {"--repeat", false}},
        1};
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
    if (write && p.Has("--backup") && p.Value("--backup").empty()) {
        return FailUsage(cli, "--backup needs a folder", verbSpec.usage);
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
    radio::SystemPortOpener opener(ProfileLookup(v, cli));
    radio::SystemWaiter waiter;

    if (!write) {
        CliHost host(cli.err, retries);
        radio::CloneTransfer transfer(v, opener, waiter, host);
        {
            InterruptGuard guard;
            transfer.Run(port, false, image);
        }
        host.EndBar();
        const radio::TransferResult& result = transfer.Result();
        if (result.outcome == radio::TransferOutcome::Cancelled) {
            Fail(cli, "cancelled; nothing was written");
        }
        if (result.outcome != radio::TransferOutcome::Completed) {
            return ExitFor(result);
        }
        return radio::StoreDat(output, image, error) ? kExitOk : Fail(cli, error);
    }

    radio::WriteOptions options;
    options.verify = p.Has("--verify");
    options.backupFolder = p.Value("--backup");
    const bool repeat = p.Has("--repeat");
    const bool report = repeat || options.verify || !options.backupFolder.empty();

    // Prints what became of one radio; "Radio N: " before it in a row.
    const auto tell = [&](const radio::WriteReport& r, const std::string& prefix) {
        if (!r.backupPath.empty()) {
            cli.out << prefix
                    << radio::FillMessageArgs(radio::LoadResString(radio::ids::kBackupSaved),
                                              {r.backupPath})
                    << "\n";
        }
        if (r.Succeeded()) {
            if (report) {
                cli.out << prefix
                        << (r.verified ? radio::LoadResString(radio::ids::kWrittenAndVerified)
                                       : "Written.")
                        << "\n";
            }
        } else {
            Fail(cli, prefix + FailureText(r));
        }
        cli.out.flush();
    };

    if (!repeat) {
        CliHost host(cli.err, retries);
        radio::RadioWriter writer(v, opener, waiter, host);
        radio::WriteReport r;
        {
            InterruptGuard guard;
            r = writer.Write(port, image, options);
        }
        host.EndBar();
        tell(r, "");
        return r.outcome == radio::TransferOutcome::Cancelled ? 130
               : r.Succeeded()                                ? kExitOk
                                                              : kExitFailure;
    }

    radio::WriteTally tally;
    bool cancelled = false;
    {
        InterruptGuard guard(2);
        for (;;) {
            const int number = tally.Radios() + 1;
            CliHost host(cli.err, retries);
            radio::RadioWriter writer(v, opener, waiter, host);
            const radio::WriteReport r = writer.Write(port, image, options);
            host.EndBar();
            const std::string prefix = "Radio " + std::to_string(number) + ": ";
            tell(r, prefix);
            tally.Add(r, r.Succeeded() ? std::string() : FailureText(r));
            if (r.outcome == radio::TransferOutcome::Cancelled) {
                cancelled = true;
                break;
            }
            NextRadio next(cli, writer, port);
            if (!next.Wait()) {
                break;
            }
        }
    }
    cli.out << "Summary: " << tally.Radios() << (tally.Radios() == 1 ? " radio, " : " radios, ")
            << tally.Written() << " written, " << tally.Verified() << " verified, "
            << tally.Failed() << " failed\n";
    for (const radio::WriteTally::Failure& f : tally.Failures()) {
        cli.out << "  radio " << f.radio << ": " << f.message << "\n";
    }
    cli.out.flush();
    if (cancelled) {
        return 130;
    }
    return tally.Failed() == 0 ? kExitOk : kExitFailure;
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
    std::vector<radio::SerialDeviceInfo> devices = radio::ListSerialDevices();
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
    while (!Interrupted() && sim.ServeError().empty()) {
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
