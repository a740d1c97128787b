// Read and write of every programmer through the radio simulator at line
// rate, against the least time the protocol allows: the bytes on the wire at
// 960 bytes a second plus the algorithm's own fixed pauses, for a transfer
// without retries. The ratio shows what the code adds on top.
//
//   bench_link [lark|wren|wren-v2|wren-v3 ...]
//
// A pty drains at once, so the host's side of the line is paced here the way
// a real port's drain would: a write returns when its bytes would have left.
// The simulator paces its own receiving and sending the same way.
//
// Each turn of the conversation also crosses the pty between two threads;
// the last two columns add the measured median of that crossing, which is
// the environment's share rather than the protocol's or the code's.
#include "CloneProtocol.h"
#include "PortNames.h"
#include "RadioSimulator.h"
#include "SystemWaiter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace radio;
using Clock = std::chrono::steady_clock;

class PacedPort final : public ISerialPort {
public:
    explicit PacedPort(std::unique_ptr<ISerialPort> inner) : inner_(std::move(inner)) {}
    void Configure() override { inner_->Configure(); }
    void PurgeAll() override { inner_->PurgeAll(); }
    void PurgeBuffers() override { inner_->PurgeBuffers(); }
    bool Write(const std::uint8_t* data, std::size_t n) override {
        lineFree_ =
            std::max(Clock::now(), lineFree_) + sim::kLineByteTime * static_cast<std::int64_t>(n);
        const bool ok = inner_->Write(data, n);
        SystemWaiter::WaitUntil(lineFree_);
        return ok;
    }
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) override {
        return inner_->Read(buffer, n, received);
    }
    void Close() override { inner_->Close(); }

private:
    std::unique_ptr<ISerialPort> inner_;
    Clock::time_point lineFree_{};
};

class PacedOpener final : public IPortOpener {
public:
    std::unique_ptr<ISerialPort> Open(const std::string& name, std::string& reason) override {
        auto port = system_.Open(name, reason);
        return port ? std::make_unique<PacedPort>(std::move(port)) : nullptr;
    }

private:
    SystemPortOpener system_;
};

class BenchHost final : public ITransferHost {
public:
    void StepProgress(int) override {}
    void PumpOneEvent() override {}
    bool CancelRequested() override { return false; }
    void ShowMessage(LinkMessage id, const char*) override {
        std::fprintf(stderr, "  message %d\n", static_cast<int>(id));
    }
    bool AskRetry() override {
        ++asks;
        return false;
    }
    int asks = 0;
};

// Median time for one byte to cross a pty pair between two threads that
// wait in poll: the environment's share of every turn of the conversation.
double MeasurePtyHopSeconds() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        return 0;
    }
    termios tio{};
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    constexpr int kRounds = 400;
    std::thread echo([&] {
        char b;
        for (int i = 0; i < kRounds; ++i) {
            pollfd p{master, POLLIN, 0};
            poll(&p, 1, -1);
            if (read(master, &b, 1) == 1 && write(master, &b, 1) != 1) {
                break;
            }
        }
    });
    std::vector<double> rtt;
    for (int i = 0; i < kRounds; ++i) {
        char b = 'x';
        const auto t0 = Clock::now();
        if (write(slave, &b, 1) != 1) {
            break;
        }
        pollfd p{slave, POLLIN, 0};
        poll(&p, 1, -1);
        if (read(slave, &b, 1) != 1) {
            break;
        }
        rtt.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    echo.join();
    close(slave);
    close(master);
    if (rtt.empty()) {
        return 0;
    }
    std::sort(rtt.begin(), rtt.end());
    return rtt[rtt.size() / 2] / 2;
}

struct Bound {
    int wireBytes = 0;
    int waitMs = 0;
    int hops = 0; // times one side waits for the other to hear it and answer
    double Seconds() const { return wireBytes / 960.0 + waitMs / 1000.0; }
};

// The least time of a transfer without retries.
Bound LowerBound(const ModelVariant& v, bool write) {
    Bound b;
    const int wakeUp = v.wrenHandshake ? 7 : 8;
    // Host: wake-up, ('M'), 0x02, 0x06. Radio: answer, 8 identification bytes, 0x06.
    b.wireBytes = wakeUp + (v.wrenHandshake ? 1 : 0) + 2 + 1 + 8 + 1;
    // Six pumps, 2 ms before each wake-up byte, 1 ms after the answer,
    // (1 ms between 'M' and 0x02), 1 ms before the identification, 1 ms
    // after the acknowledgement.
    b.waitMs = 6 + 2 * wakeUp + 1 + (v.wrenHandshake ? 1 : 0) + 1 + 1;
    b.hops = 3 * 2;
    const int pairs = (write ? v.writePlan : v.readPlan).Pairs();
    if (write) {
        b.wireBytes += pairs * 2 * (4 + 8 + 1);
        b.waitMs += pairs * (v.waitBeforeEveryWriteData ? 2 : 1);
        b.hops += pairs * 2 * 2; // data there, acknowledgement back
    } else {
        b.wireBytes += pairs * 2 * (4 + 12 + 1 + 1);
        b.waitMs += pairs * 3;   // before each acknowledgement, before the second block
        b.hops += pairs * 2 * 4; // header there, reply back, acknowledgement there and back
    }
    return b;
}

// Wake-up strings the radio heard in a session: handshake attempts.
int WakeUps(const sim::SessionRecord& session) {
    const std::vector<std::uint8_t> heard = session.Bytes(sim::Direction::ToRadio);
    const std::uint8_t wakeUp[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
    int n = 0;
    for (auto it = heard.begin();
         (it = std::search(it, heard.end(), std::begin(wakeUp), std::end(wakeUp))) != heard.end();
         ++it) {
        ++n;
    }
    return n;
}

bool RunOne(const ModelVariant& v, bool write, double hop) {
    sim::RadioSimulator simulator;
    sim::SimulatorOptions options;
    options.lineRate = true;
    // The paced host drains like a real port, so the radio's answer to the
    // identification acknowledgement needs no extra delay.
    options.identAckTurnaround = std::chrono::microseconds(0);
    std::string error;
    Image radioMemory(static_cast<std::size_t>(v.imageSize));
    for (std::size_t i = 0; i < radioMemory.size(); ++i) {
        radioMemory[i] = static_cast<std::uint8_t>(i * 13);
    }
    if (!simulator.Start(v, radioMemory, options, error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return false;
    }

    PacedOpener opener;
    SystemWaiter waiter;
    BenchHost host;
    CloneTransfer transfer(v, opener, waiter, host);
    Image image = MakeDefaultImage(v);

    const auto start = Clock::now();
    transfer.Run(simulator.DevicePath(), write, image);
    const double measured = std::chrono::duration<double>(Clock::now() - start).count();

    const bool ok = transfer.Result().outcome == TransferOutcome::Completed && host.asks == 0;
    simulator.WaitForSessions(1, std::chrono::seconds(10));
    const int attempts = simulator.SessionCount() > 0 ? WakeUps(simulator.Sessions()[0]) : 0;
    const Bound bound = LowerBound(v, write);
    const double withHops = bound.Seconds() + bound.hops * hop;
    std::printf("%-14s %-5s %5d %7d %9.3f %9.3f %7.4f %9.3f %7.4f%s\n",
                std::string(v.programName).c_str(), write ? "write" : "read",
                (write ? v.writePlan : v.readPlan).Pairs(), bound.wireBytes, bound.Seconds(),
                measured, measured / bound.Seconds(), withHops, measured / withHops,
                ok ? "" : "  (did not complete cleanly)");
    if (attempts != 1) {
        std::printf("    %d handshake attempts\n", attempts);
    }
    std::fflush(stdout);
    simulator.Stop();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<const ModelVariant*> models;
    for (int i = 1; i < argc; ++i) {
        const ModelVariant* v = VariantByCliName(argv[i]);
        if (!v) {
            std::fprintf(stderr, "unknown model \"%s\" (lark, wren, wren-v2, wren-v3)\n", argv[i]);
            return 2;
        }
        models.push_back(v);
    }
    if (models.empty()) {
        models = AllVariants();
    }

    const double hop = MeasurePtyHopSeconds();
    std::printf("pty hop (median, one way): %.0f us\n", hop * 1e6);
    std::printf("%-14s %-5s %5s %7s %9s %9s %7s %9s %7s\n", "programmer", "dir", "pairs", "bytes",
                "bound s", "measured", "ratio", "+hops s", "ratio");
    bool allOk = true;
    for (const ModelVariant* v : models) {
        for (bool write : {false, true}) {
            allOk = RunOne(*v, write, hop) && allOk;
        }
    }
    return allOk ? 0 : 1;
}
