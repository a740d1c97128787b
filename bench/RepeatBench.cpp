// What `radioclone write --repeat` costs per radio beyond the clone itself:
// the prompt and its answer, opening and closing the port, the result line
// and the summary. Both runs go through the same system port to the same
// line-rate simulator, so what the row takes beyond N single clones is the
// row's own share.
//
//   bench_repeat [lark|wren|wren-v2|wren-v3] [RADIOS]   (default: lark 5)
//
// The row is answered as at a terminal: Enter for every radio but the last,
// then q, all typed ahead, so no human time is in the figure.
#include "CloneProtocol.h"
#include "PortNames.h"
#include "RadioSimulator.h"
#include "SystemWaiter.h"
#include "Verbs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace radio;
using Clock = std::chrono::steady_clock;

class QuietHost final : public ITransferHost {
public:
    void StepProgress(int) override {}
    void PumpOneEvent() override {}
    bool CancelRequested() override { return false; }
    void ShowMessage(LinkMessage id, const char*) override {
        std::fprintf(stderr, "  message %d\n", static_cast<int>(id));
        failed = true;
    }
    bool AskRetry() override {
        failed = true;
        return false;
    }
    bool failed = false;
};

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    const ModelVariant* v = VariantByCliName(argc > 1 ? argv[1] : "lark");
    const int radios = argc > 2 ? std::atoi(argv[2]) : 5;
    if (v == nullptr || radios < 1) {
        std::fprintf(stderr, "usage: bench_repeat [lark|wren|wren-v2|wren-v3] [RADIOS]\n");
        return 2;
    }

    sim::RadioSimulator simulator;
    sim::SimulatorOptions options;
    options.lineRate = true;
    std::string error;
    if (!simulator.Start(*v, MakeDefaultImage(*v), options, error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    const std::string port = simulator.DevicePath();
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("bench-repeat-" + std::to_string(getpid()) + ".dat");
    {
        const Image image = MakeDefaultImage(*v);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
    }

    // The clone itself, radio by radio.
    std::vector<double> clones;
    SystemPortOpener opener;
    SystemWaiter waiter;
    for (int i = 0; i < radios; ++i) {
        QuietHost host;
        CloneTransfer transfer(*v, opener, waiter, host);
        Image image = MakeDefaultImage(*v);
        const auto t0 = Clock::now();
        transfer.Run(port, true, image);
        clones.push_back(Seconds(Clock::now() - t0));
        if (transfer.Result().outcome != TransferOutcome::Completed) {
            std::fprintf(stderr, "the single clone failed\n");
            return 1;
        }
    }
    double cloneTotal = 0;
    for (double c : clones) {
        cloneTotal += c;
    }

    // The same radios as one row.
    std::string answers;
    for (int i = 1; i < radios; ++i) {
        answers += "\n";
    }
    answers += "q\n";
    std::istringstream in(answers);
    int fds[2];
    if (pipe(fds) != 0) {
        return 1;
    }
    close(fds[1]);
    std::ostringstream out, err;
    const auto t0 = Clock::now();
    const int status = radioclone::RunRadioclone(
        {"write", "--model", std::string(v->cliName), "--port", port, file.string(), "--repeat"},
        {out, err, "", &in, fds[0]});
    const double row = Seconds(Clock::now() - t0);
    close(fds[0]);
    std::filesystem::remove(file);
    simulator.Stop();
    if (status != 0) {
        std::fprintf(stderr, "the row failed (%d):\n%s%s", status, out.str().c_str(),
                     err.str().c_str());
        return 1;
    }

    std::sort(clones.begin(), clones.end());
    const double overhead = (row - cloneTotal) / radios;
    std::printf("%s, %d radios at line rate\n", std::string(v->programName).c_str(), radios);
    std::printf("  clone alone      median %.3f s, total %.3f s\n", clones[clones.size() / 2],
                cloneTotal);
    std::printf("  row (--repeat)   total  %.3f s\n", row);
    std::printf("  beyond the clone %.4f s per radio (limit 0.3 s): %s\n", overhead,
                overhead < 0.3 ? "ok" : "TOO SLOW");
    return overhead < 0.3 ? 0 : 1;
}
