// The host side of the clone transfer against a radio that answers with the
// fuzzer's bytes. A transfer must end, completed only when every block of the
// plan went through, and a read may change only the bytes the plan covers.
#include "CloneProtocol.h"
#include "FuzzSupport.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

namespace {

using radio::fuzz::Fail;

// The radio's side of the line: every read takes the next bytes of the
// input; when they run out, reads time out. Records which blocks went
// through completely (header, data, and the radio's closing 0x06).
struct Line {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    bool readErrorAtEnd = false;
    int closes = 0;
    bool open = false;

    int pendingKind = 0; // 'R' or 'W' after a block header, else 0
    int pendingAddress = 0;
    bool pendingReplyFull = false;
    std::set<int> done;

    void Written(const std::uint8_t* bytes, std::size_t n) {
        if (n == 4 && (bytes[0] == radio::wire::kRead || bytes[0] == radio::wire::kWrite)) {
            pendingKind = bytes[0];
            pendingAddress = bytes[1] << 8 | bytes[2];
            pendingReplyFull = false;
        }
    }
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) {
        if (!open)
            Fail("read from a closed port");
        received = std::min(n, size - pos);
        std::copy(data + pos, data + pos + received, buffer);
        pos += received;
        if (received < n && readErrorAtEnd)
            return false;
        if (n == radio::wire::kReplyLength && received == n)
            pendingReplyFull = pendingKind == radio::wire::kRead;
        if (n == 1 && received == 1 && buffer[0] == radio::wire::kAck && pendingKind != 0) {
            if (pendingKind == radio::wire::kWrite || pendingReplyFull)
                done.insert(pendingAddress);
            pendingKind = 0;
        }
        return true;
    }
};

class Port final : public radio::ISerialPort {
public:
    explicit Port(Line& line) : line_(line) {}
    void Configure() override {}
    void PurgeAll() override {}
    void PurgeBuffers() override {}
    bool Write(const std::uint8_t* data, std::size_t n) override {
        if (!line_.open)
            Fail("write to a closed port");
        line_.Written(data, n);
        return true;
    }
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) override {
        return line_.Read(buffer, n, received);
    }
    void Close() override {
        ++line_.closes;
        line_.open = false;
    }

private:
    Line& line_;
};

class Opener final : public radio::IPortOpener {
public:
    explicit Opener(Line& line) : line_(line) {}
    std::unique_ptr<radio::ISerialPort> Open(const std::string&, std::string&) override {
        line_.open = true;
        return std::make_unique<Port>(line_);
    }

private:
    Line& line_;
};

struct NoWait final : radio::IWaiter {
    void WaitMs(int) override {}
};

struct Host final : radio::ITransferHost {
    int retries = 0;           // Retry answers before Cancel
    long cancelAfterPumps = 0; // 0: never
    long pumps = 0;
    int messages = 0;
    int asks = 0;
    void StepProgress(int) override {}
    void PumpOneEvent() override { ++pumps; }
    bool CancelRequested() override { return cancelAfterPumps > 0 && pumps >= cancelAfterPumps; }
    void ShowMessage(radio::LinkMessage, const char*) override { ++messages; }
    bool AskRetry() override {
        if (++asks > 1000)
            Fail("the transfer keeps asking");
        return retries-- > 0;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    // Three bytes of script: model and direction, the user's answers, the line.
    const auto& all = radio::AllVariants();
    const radio::ModelVariant& v = *all[data[0] % all.size()];
    const bool write = data[0] & 0x80;
    Host host;
    host.retries = data[1] & 0x03;
    host.cancelAfterPumps = (data[1] >> 2) * 37;
    Line line;
    line.data = data + 3;
    line.size = size - 3;
    line.readErrorAtEnd = data[2] & 1;

    Opener opener(line);
    NoWait waiter;
    radio::CloneTransfer transfer(v, opener, waiter, host);
    radio::Image image = radio::MakeDefaultImage(v);
    for (std::size_t i = 0; i < image.size(); i += 3)
        image[i] = static_cast<std::uint8_t>(i * 7);
    const radio::Image before = image;
    transfer.Run("fuzz", write, image);

    const radio::TransferResult& result = transfer.Result();
    if (line.closes != 1 || line.open)
        Fail("the port was not closed exactly once");
    if (image.size() != before.size())
        Fail("the transfer changed the image size");
    const radio::TransferPlan& plan = write ? v.writePlan : v.readPlan;
    switch (result.outcome) {
    case radio::TransferOutcome::Completed:
        if (result.pairsDone != plan.Pairs())
            Fail("completed with pairs missing");
        for (int p = 0; p < plan.Pairs(); ++p) {
            const int address = plan.PairAddress(p);
            if (!line.done.count(address) || !line.done.count(address + 8))
                Fail("completed although a block never went through");
        }
        break;
    case radio::TransferOutcome::Failed:
        if (result.message != radio::LinkMessage::CommunicationError &&
            result.message != radio::LinkMessage::ProgramInterrupt)
            Fail("failed with an unexpected message");
        [[fallthrough]];
    case radio::TransferOutcome::Cancelled:
        if (image != before)
            Fail("a transfer that did not complete changed the image");
        break;
    }
    if (result.outcome == radio::TransferOutcome::Failed &&
        result.message == radio::LinkMessage::ProgramInterrupt && host.messages == 0)
        Fail("failed without telling the user");
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (image[i] != before[i] && (write || !plan.Covers(static_cast<int>(i))))
            Fail("a byte outside the plan changed");
    }
    return 0;
}
