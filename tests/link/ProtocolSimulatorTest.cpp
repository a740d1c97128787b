// The clone transfer over a real serial port layer on a pty, against the
// radio simulator: the exact bytes on the line for every model and
// direction, and a read written back leaving the radio as it was.
#include <gtest/gtest.h>

#ifndef _WIN32 // the simulator runs on a pty
#include "PortNames.h"
#include "ProtocolTestSupport.h"
#include "RadioSimulator.h"
#include "SystemWaiter.h"

namespace radio::test {
namespace {

using sim::Direction;
using sim::WireByte;

constexpr auto kSessionTimeout = std::chrono::seconds(60);

class QuietHost final : public ITransferHost {
public:
    void StepProgress(int pairsDone) override { lastStep = pairsDone; }
    void PumpOneEvent() override {}
    bool CancelRequested() override { return cancelAtPair >= 0 && lastStep >= cancelAtPair; }
    void ShowMessage(LinkMessage id, const char*) override {
        messages.push_back(static_cast<int>(id));
    }
    bool AskRetry() override {
        ++asks;
        return false;
    }

    int cancelAtPair = -1;
    int lastStep = 0;
    int asks = 0;
    std::vector<int> messages;
};

TransferResult Transfer(const ModelVariant& v, const std::string& device, bool write, Image& image,
                        QuietHost& host) {
    SystemPortOpener opener;
    SystemWaiter waiter;
    CloneTransfer transfer(v, opener, waiter, host);
    transfer.Run(device, write, image);
    return transfer.Result();
}

class Exchange {
public:
    void ToRadio(std::initializer_list<std::uint8_t> bytes) { Add(Direction::ToRadio, bytes); }
    void ToHost(std::initializer_list<std::uint8_t> bytes) { Add(Direction::ToHost, bytes); }
    template <typename It> void Add(Direction d, It begin, It end) {
        for (; begin != end; ++begin) {
            bytes.push_back({d, *begin});
        }
    }
    void Add(Direction d, std::initializer_list<std::uint8_t> b) { Add(d, b.begin(), b.end()); }
    std::vector<WireByte> bytes;
};

std::vector<WireByte> ExpectedExchange(const ModelVariant& v, bool write, const Image& radio,
                                       const Image& host) {
    Exchange x;
    if (v.wrenHandshake) {
        x.ToRadio({0x02, 'P', 'R', 'O', 'G', 'R', 'A'});
        x.ToHost({0x06});
        x.ToRadio({'M', 0x02});
    } else {
        x.ToRadio({0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'});
        x.ToHost({0x06});
        x.ToRadio({0x02});
    }
    const auto& id = sim::RadioEngine::kIdentification;
    x.Add(Direction::ToHost, id.begin(), id.end());
    x.ToRadio({0x06});
    x.ToHost({0x06});

    const TransferPlan& plan = write ? v.writePlan : v.readPlan;
    for (int pair = 0; pair < plan.Pairs(); ++pair) {
        for (int block = 0; block < 2; ++block) {
            const int a = plan.PairAddress(pair) + 8 * block;
            const auto hi = static_cast<std::uint8_t>(a >> 8);
            const auto lo = static_cast<std::uint8_t>(a & 0xFF);
            if (write) {
                x.ToRadio({'W', hi, lo, 0x08});
                x.Add(Direction::ToRadio, host.begin() + a, host.begin() + a + 8);
                x.ToHost({0x06});
            } else {
                x.ToRadio({'R', hi, lo, 0x08});
                x.ToHost({'R', hi, lo, 0x08});
                x.Add(Direction::ToHost, radio.begin() + a, radio.begin() + a + 8);
                x.ToRadio({0x06});
                x.ToHost({0x06});
            }
        }
    }
    return x.bytes;
}

// The block addresses the host asked for, parsed from its side of the line.
std::vector<int> HeaderAddresses(const std::vector<std::uint8_t>& fromHost, bool write) {
    const std::size_t handshake = 10; // wake-up and 'M' or not, 0x02, 0x06
    const std::size_t unit = write ? 12 : 5;
    std::vector<int> addresses;
    for (std::size_t i = handshake; i + unit <= fromHost.size(); i += unit) {
        EXPECT_EQ(fromHost[i], write ? 'W' : 'R');
        EXPECT_EQ(fromHost[i + 3], 0x08);
        addresses.push_back(fromHost[i + 1] << 8 | fromHost[i + 2]);
    }
    EXPECT_EQ((fromHost.size() - handshake) % unit, 0u);
    return addresses;
}

struct PlanFacts {
    Model model;
    int lastReadHeader;
    int lastWriteHeader;
};

class OnPty : public ::testing::TestWithParam<PlanFacts> {};

INSTANTIATE_TEST_SUITE_P(Models, OnPty,
                         ::testing::Values(PlanFacts{Model::Lark, 0x03B8, 0x0328},
                                           PlanFacts{Model::Wren, 0x0FF8, 0x0FF8},
                                           PlanFacts{Model::WrenV2, 0x0FF8, 0x0FF8},
                                           PlanFacts{Model::WrenV3, 0x1FF8, 0x1FF8}),
                         [](const auto& info) {
                             return std::string(VariantFor(info.param.model).programName);
                         });

TEST_P(OnPty, ReadThenWriteBackMovesExactlyThePlanAndLeavesTheRadioAsItWas) {
    const ModelVariant& v = VariantFor(GetParam().model);
    const Image radio = PatternImage(v.imageSize, 3);
    sim::RadioSimulator simulator;
    std::string error;
    ASSERT_TRUE(simulator.Start(v, radio, {}, error)) << error;

    // Read
    Image image = MakeDefaultImage(v);
    const Image before = image;
    QuietHost host;
    const TransferResult read = Transfer(v, simulator.DevicePath(), false, image, host);
    ASSERT_EQ(read.outcome, TransferOutcome::Completed) << "messages: " << host.messages.size();
    ASSERT_TRUE(simulator.WaitForSessions(1, kSessionTimeout));
    const sim::SessionRecord readSession = simulator.Sessions()[0];
    EXPECT_EQ(readSession.exchange, ExpectedExchange(v, false, radio, image));
    for (int a = 0; a < v.imageSize; ++a) {
        const auto i = static_cast<std::size_t>(a);
        ASSERT_EQ(image[i], v.readPlan.Covers(a) ? radio[i] : before[i]) << "address " << a;
    }
    const std::vector<int> readAddresses =
        HeaderAddresses(readSession.Bytes(Direction::ToRadio), false);
    ASSERT_EQ(static_cast<int>(readAddresses.size()), 2 * v.readPlan.Pairs());
    EXPECT_EQ(readAddresses.back(), GetParam().lastReadHeader);

    // Write back
    const TransferResult write = Transfer(v, simulator.DevicePath(), true, image, host);
    ASSERT_EQ(write.outcome, TransferOutcome::Completed);
    ASSERT_TRUE(simulator.WaitForSessions(2, kSessionTimeout));
    const sim::SessionRecord writeSession = simulator.Sessions()[1];
    EXPECT_EQ(writeSession.exchange, ExpectedExchange(v, true, radio, image));
    const std::vector<int> writeAddresses =
        HeaderAddresses(writeSession.Bytes(Direction::ToRadio), true);
    ASSERT_EQ(static_cast<int>(writeAddresses.size()), 2 * v.writePlan.Pairs());
    EXPECT_EQ(writeAddresses.back(), GetParam().lastWriteHeader);

    EXPECT_EQ(simulator.Memory(), radio);
    EXPECT_TRUE(host.messages.empty());

    // Every block once, in address order, and never the stretch that only
    // the document holds in ProgramWrenV3.
    for (const std::vector<int>* addresses : {&readAddresses, &writeAddresses}) {
        for (std::size_t i = 1; i < addresses->size(); ++i) {
            EXPECT_GT((*addresses)[i], (*addresses)[i - 1]);
        }
        for (int a : *addresses) {
            EXPECT_FALSE(a >= 0x12D0 && a <= 0x1FBF) << "address " << a;
        }
    }
}

TEST(ProtocolOnPty, HangUpMidReadIsAnInterruptAndTheNextSessionIsServed) {
    const ModelVariant& v = VariantFor(Model::Wren);
    sim::RadioSimulator simulator;
    std::string error;
    sim::SimulatorOptions options;
    options.faults = {{sim::FaultKind::HangUpAt, 3}};
    ASSERT_TRUE(simulator.Start(v, PatternImage(v.imageSize), options, error)) << error;
    const std::string firstDevice = simulator.DevicePath();

    Image image = MakeDefaultImage(v);
    const Image before = image;
    QuietHost host;
    const TransferResult first = Transfer(v, firstDevice, false, image, host);
    EXPECT_EQ(first.outcome, TransferOutcome::Failed);
    EXPECT_EQ(first.message, LinkMessage::ProgramInterrupt);
    EXPECT_EQ(first.pairsDone, 1);
    EXPECT_EQ(image, before);
    ASSERT_TRUE(simulator.WaitForSessions(1, kSessionTimeout));
    EXPECT_TRUE(simulator.Sessions()[0].hungUp);

    // The simulator serves on from a new pty (which may reuse the number),
    // and hangs up there too.
    const TransferResult second = Transfer(v, simulator.DevicePath(), false, image, host);
    EXPECT_EQ(second.message, LinkMessage::ProgramInterrupt);
    ASSERT_TRUE(simulator.WaitForSessions(2, kSessionTimeout));
    EXPECT_TRUE(simulator.Sessions()[1].hungUp);
    EXPECT_EQ(simulator.Sessions()[1].blocksRead, 3);
    EXPECT_EQ(image, before);
}

TEST(ProtocolOnPty, UnacknowledgedIdentificationAsksAndCancelClosesThePort) {
    const ModelVariant& v = VariantFor(Model::Lark);
    sim::RadioSimulator simulator;
    std::string error;
    sim::SimulatorOptions options;
    options.faults = {{sim::FaultKind::NoIdentAck}};
    ASSERT_TRUE(simulator.Start(v, PatternImage(v.imageSize), options, error)) << error;

    Image image = MakeDefaultImage(v);
    QuietHost host;
    const TransferResult result = Transfer(v, simulator.DevicePath(), false, image, host);
    EXPECT_EQ(result.outcome, TransferOutcome::Failed);
    EXPECT_EQ(result.message, LinkMessage::CommunicationError);
    EXPECT_EQ(host.asks, 1);
    // The port was closed: the simulator saw the session end.
    ASSERT_TRUE(simulator.WaitForSessions(1, kSessionTimeout));
    EXPECT_EQ(simulator.Sessions()[0].blocksRead, 0);
}

TEST(ProtocolOnPty, ACancelledSessionDoesNotDisturbTheNext) {
    const ModelVariant& v = VariantFor(Model::Lark);
    const Image radio = PatternImage(v.imageSize, 5);
    sim::RadioSimulator simulator;
    std::string error;
    ASSERT_TRUE(simulator.Start(v, radio, {}, error)) << error;

    Image image = MakeDefaultImage(v);
    const Image before = image;
    QuietHost cancelling;
    cancelling.cancelAtPair = 3;
    EXPECT_EQ(Transfer(v, simulator.DevicePath(), false, image, cancelling).outcome,
              TransferOutcome::Cancelled);
    EXPECT_EQ(image, before);
    ASSERT_TRUE(simulator.WaitForSessions(1, kSessionTimeout));

    QuietHost host;
    EXPECT_EQ(Transfer(v, simulator.DevicePath(), false, image, host).outcome,
              TransferOutcome::Completed);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x3C0, radio.begin()));
    ASSERT_TRUE(simulator.WaitForSessions(2, kSessionTimeout));
    EXPECT_EQ(simulator.Sessions()[1].exchange, ExpectedExchange(v, false, radio, image));
}

} // namespace
} // namespace radio::test

#else

TEST(ProtocolOnPty, NeedsAPseudoTerminal) {
    GTEST_SKIP() << "the simulator serves on a POSIX pseudo-terminal";
}

#endif // _WIN32
