// The clone transfer against an in-memory line and radio: every step, wait
// and purge in order, and every way a transfer can end.
#include "ProtocolTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace radio::test {
namespace {

using sim::Fault;
using sim::FaultKind;
using sim::Reaction;
using sim::ReplyKind;

struct Rig {
    explicit Rig(Model model, Fault fault = {})
        : variant(VariantFor(model)), radioStart(PatternImage(variant.imageSize, 1)),
          engine(variant, radioStart, fault), port(t, [this](std::uint8_t b) { return Radio(b); }),
          opener(port), waiter(t), host(t), transfer(variant, opener, waiter, host),
          image(MakeDefaultImage(variant)), imageBefore(image) {}

    // The simulator's answer, as the test may alter it.
    Reaction Radio(std::uint8_t byte) {
        Reaction r = engine.Receive(byte);
        if (alter) {
            alter(r);
        }
        return r;
    }

    void Read() { transfer.Run("com1", false, image); }
    void Write() { transfer.Run("com1", true, image); }

    int Count(const std::string& op) const {
        return static_cast<int>(std::count(t.ops.begin(), t.ops.end(), op));
    }
    // Occurrences of `op` before the first `until`.
    int CountBefore(const std::string& op, const std::string& until) const {
        const auto end = std::find(t.ops.begin(), t.ops.end(), until);
        return static_cast<int>(std::count(t.ops.begin(), end, op));
    }
    // The port was opened once and closed once, as the last thing done.
    void ExpectEndedOnce() const {
        EXPECT_EQ(opener.opens, 1);
        EXPECT_EQ(port.closes, 1);
        ASSERT_FALSE(t.ops.empty());
        EXPECT_EQ(t.ops.back(), "close");
    }
    void ExpectFailed(LinkMessage message) const {
        EXPECT_EQ(transfer.Result().outcome, TransferOutcome::Failed);
        EXPECT_EQ(transfer.Result().message, message);
    }

    const ModelVariant& variant;
    Timeline t;
    Image radioStart;
    sim::RadioEngine engine;
    std::function<void(Reaction&)> alter;
    FakePort port;
    FakeOpener opener;
    RecordingWaiter waiter;
    RecordingHost host;
    CloneTransfer transfer;
    Image image;
    Image imageBefore;
};

// The recorded host side of a clean transfer: tests/link/traces/, one file
// per programmer and direction. With RADIO_RECORD_TRACES set in the
// environment the test writes the file instead of comparing (for an intended
// change of the protocol only; review the diff).
std::filesystem::path TraceFile(const ModelVariant& v, bool write) {
    return std::filesystem::path(RADIO_TRACES_DIR) /
           (std::string(v.cliName) + (write ? "-write" : "-read") + ".trace");
}

void RecordTrace(const ModelVariant& v, bool write, const std::vector<std::string>& ops) {
    std::ofstream out(TraceFile(v, write), std::ios::binary);
    out << "# The host's side of a clean " << (write ? "write" : "read") << " of " << v.programName
        << ", one step per line:\n"
           "# configure; purgeAll and purge; write with the bytes sent (hex); read with the\n"
           "# count asked for; wait with its milliseconds; pump (one pass of the event\n"
           "# loop); step with the block pairs done; close.\n"
           "# Recorded by tests/link/CloneProtocolTest.cpp (EveryModel) with\n"
           "# RADIO_RECORD_TRACES=1: CloneTransfer against the in-memory line and radio of\n"
           "# ProtocolTestSupport.h, the radio holding PatternImage(size, 1)"
        << (write ? ", the host\n# sending PatternImage(size, 9)" : "")
        << ". First recorded from the transfer\n"
           "# whose bytes and pauses had been checked at the wire against the radio's\n"
           "# protocol; a change here is a change of what goes to the radio.\n";
    for (const std::string& op : ops) {
        out << op << "\n";
    }
}

std::vector<std::string> LoadTrace(const ModelVariant& v, bool write) {
    std::ifstream in(TraceFile(v, write), std::ios::binary);
    std::vector<std::string> ops;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') {
            ops.push_back(line);
        }
    }
    return ops;
}

// Compares a transfer with its recorded trace, naming the first step that
// differs rather than printing thousands of lines.
void ExpectTrace(const ModelVariant& v, bool write, const std::vector<std::string>& ops) {
    if (std::getenv("RADIO_RECORD_TRACES") != nullptr) {
        RecordTrace(v, write, ops);
        return;
    }
    const std::vector<std::string> golden = LoadTrace(v, write);
    ASSERT_FALSE(golden.empty()) << TraceFile(v, write) << " is missing or empty";
    const auto [mine, theirs] = std::mismatch(ops.begin(), ops.end(), golden.begin(), golden.end());
    if (mine != ops.end() || theirs != golden.end()) {
        const auto step = static_cast<std::size_t>(mine - ops.begin());
        ADD_FAILURE() << TraceFile(v, write).filename() << ": step " << step + 1 << " is \""
                      << (mine != ops.end() ? *mine : std::string("(the end)"))
                      << "\", the trace says \""
                      << (theirs != golden.end() ? *theirs : std::string("(the end)")) << "\" ("
                      << ops.size() << " steps, the trace " << golden.size() << ")";
    }
}

class EveryModel : public ::testing::TestWithParam<Model> {};

INSTANTIATE_TEST_SUITE_P(Models, EveryModel,
                         ::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                         [](const auto& info) {
                             return std::string(VariantFor(info.param).programName);
                         });

TEST_P(EveryModel, ReadFollowsEveryStepAndReplacesTheImageWhenComplete) {
    Rig rig(GetParam());
    rig.Read();

    ExpectTrace(rig.variant, false, rig.t.ops);
    EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Completed);
    EXPECT_EQ(rig.transfer.Result().pairsDone, rig.variant.readPlan.Pairs());
    EXPECT_EQ(rig.opener.openedName, "com1");
    for (int a = 0; a < rig.variant.imageSize; ++a) {
        const auto i = static_cast<std::size_t>(a);
        const std::uint8_t expected =
            rig.variant.readPlan.Covers(a) ? rig.radioStart[i] : rig.imageBefore[i];
        ASSERT_EQ(rig.image[i], expected) << "address " << a;
    }
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST_P(EveryModel, WriteSendsTheEncodedImageAndLeavesItAlone) {
    Rig rig(GetParam());
    const Image fromGrid = PatternImage(rig.variant.imageSize, 9);
    rig.image = fromGrid;
    rig.Write();

    ExpectTrace(rig.variant, true, rig.t.ops);
    EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Completed);
    EXPECT_EQ(rig.image, fromGrid);
    for (int a = 0; a < rig.variant.imageSize; ++a) {
        const auto i = static_cast<std::size_t>(a);
        const std::uint8_t expected =
            rig.variant.writePlan.Covers(a) ? fromGrid[i] : rig.radioStart[i];
        ASSERT_EQ(rig.engine.Memory()[i], expected) << "address " << a;
    }
}

TEST(CloneTransfer, PortThatDoesNotOpenIsReportedWithTheSystemsReason) {
    for (bool write : {false, true}) {
        Rig rig(Model::Wren);
        rig.opener.failReason = "/dev/ttyUSB0: no such device";
        rig.transfer.Run("com1", write, rig.image);

        EXPECT_EQ(rig.t.ops, std::vector<std::string>{"message 61453"});
        EXPECT_EQ(rig.host.details, std::vector<std::string>{"/dev/ttyUSB0: no such device"});
        rig.ExpectFailed(LinkMessage::PortOpenFailed);
        EXPECT_EQ(rig.transfer.Result().detail, "/dev/ttyUSB0: no such device");
        EXPECT_EQ(rig.image, rig.imageBefore);
    }
}

TEST(CloneTransfer, SilentLarkAsksAfterEveryAttempt) {
    Rig rig(Model::Lark, {FaultKind::NeverAnswer});
    rig.host.retryAnswers = {true, true};
    rig.Read();

    // A time-out is no read error: each attempt goes on to the identification
    // and asks when its acknowledgement does not come.
    EXPECT_EQ(rig.host.asks, 3);
    EXPECT_EQ(rig.port.attempts, 3);
    EXPECT_EQ(rig.CountBefore("purgeAll", "ask"), 1);
    EXPECT_EQ(rig.Count("write 02"), 3 + 3); // wake-up and identification request
    EXPECT_TRUE(rig.host.messages.empty());
    rig.ExpectFailed(LinkMessage::CommunicationError);
    rig.ExpectEndedOnce();
    EXPECT_EQ(rig.image, rig.imageBefore);
}

TEST(CloneTransfer, SilentWrenTriesFifteenTimesBeforeEachQuestion) {
    Rig rig(Model::WrenV3, {FaultKind::NeverAnswer});
    rig.host.retryAnswers = {true};
    rig.Read();

    EXPECT_EQ(rig.CountBefore("purgeAll", "ask"), 15);
    EXPECT_EQ(rig.port.attempts, 30); // Retry started the count again at 1
    EXPECT_EQ(rig.host.asks, 2);
    EXPECT_EQ(rig.Count("write 4D"), 0); // never got past the wake-up
    // Two reads for the answer, then 2 ms before the next attempt.
    EXPECT_EQ(rig.Count("read 1"), 60);
    rig.ExpectFailed(LinkMessage::CommunicationError);
    rig.ExpectEndedOnce();
    EXPECT_EQ(rig.image, rig.imageBefore);
}

TEST(CloneTransfer, LarkFailsSilentlyOnlyOnReadErrors) {
    Rig rig(Model::Lark);
    rig.port.readError = [](int attempt) { return attempt <= 17; };
    rig.host.retryAnswers = {true};
    rig.Read();

    EXPECT_EQ(rig.CountBefore("purgeAll", "ask"), 15);
    EXPECT_EQ(rig.host.asks, 1);
    EXPECT_EQ(rig.port.attempts, 18);
    EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Completed);
}

TEST(CloneTransfer, LarkGoesOnWhateverAnswersTheWakeUp) {
    for (const std::vector<std::uint8_t>& answer :
         {std::vector<std::uint8_t>{0x15}, std::vector<std::uint8_t>{}}) {
        Rig rig(Model::Lark);
        rig.alter = [&](Reaction& r) {
            if (r.kind == ReplyKind::WakeUpAnswer) {
                r.bytes = answer;
            }
        };
        rig.Read();
        EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Completed);
        EXPECT_EQ(rig.port.attempts, 1);
    }
}

TEST(CloneTransfer, WrenNeedsAnAckInTheFirstTwoBytesOfTheAnswer) {
    struct Case {
        std::vector<std::uint8_t> answer;
        bool accepted;
    };
    const Case cases[] = {
        {{0x06}, true},  {{0x15, 0x06}, true}, {{0x15, 0x15, 0x06}, false},
        {{0x15}, false}, // the second read times out
        {{}, false},
    };
    for (const Case& c : cases) {
        Rig rig(Model::Wren);
        rig.alter = [&](Reaction& r) {
            if (r.kind == ReplyKind::WakeUpAnswer) {
                r.bytes = c.answer;
            }
        };
        rig.Read();
        SCOPED_TRACE(Hex(c.answer.data(), c.answer.size()));
        if (c.accepted) {
            EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Completed);
            EXPECT_EQ(rig.port.attempts, 1);
        } else {
            rig.ExpectFailed(LinkMessage::CommunicationError);
            EXPECT_EQ(rig.port.attempts, 15);
            EXPECT_EQ(rig.host.asks, 1);
            EXPECT_EQ(rig.image, rig.imageBefore);
        }
    }
}

TEST(CloneTransfer, MissingIdentificationAckAsksWhileFewAttemptsFailed) {
    // Four silent failures, then the fifth attempt misses the acknowledgement
    // with R = 5: still a question.
    Rig rig(Model::Wren, {FaultKind::NoIdentAck});
    rig.port.muteAttempts = 4;
    rig.Read();

    EXPECT_EQ(rig.port.attempts, 5);
    EXPECT_EQ(rig.host.asks, 1);
    EXPECT_TRUE(rig.host.messages.empty());
    rig.ExpectFailed(LinkMessage::CommunicationError);
    rig.ExpectEndedOnce();
}

TEST(CloneTransfer, MissingIdentificationAckAfterFiveSilentFailuresInterrupts) {
    Rig rig(Model::WrenV2, {FaultKind::NoIdentAck});
    rig.port.muteAttempts = 5;
    rig.Read();

    EXPECT_EQ(rig.port.attempts, 6);
    EXPECT_EQ(rig.host.asks, 0);
    EXPECT_EQ(rig.host.messages, std::vector<int>{61454});
    rig.ExpectFailed(LinkMessage::ProgramInterrupt);
    rig.ExpectEndedOnce();
    EXPECT_EQ(rig.image, rig.imageBefore);
}

TEST(CloneTransfer, RetryStartsCountingAgainOnTheOpenPort) {
    // Fifteen silent attempts, Retry; the sixteenth misses the acknowledgement.
    // With R back at 1 that is a question, not message 61454.
    Rig rig(Model::Wren, {FaultKind::NoIdentAck});
    rig.port.muteAttempts = 15;
    rig.host.retryAnswers = {true};
    rig.Read();

    EXPECT_EQ(rig.port.attempts, 16);
    EXPECT_EQ(rig.host.asks, 2);
    EXPECT_TRUE(rig.host.messages.empty());
    rig.ExpectFailed(LinkMessage::CommunicationError);
    rig.ExpectEndedOnce();
}

TEST(CloneTransfer, LarkKeepsAskingWhenTheIdentificationIsNotAcknowledged) {
    Rig rig(Model::Lark, {FaultKind::NoIdentAck});
    rig.host.retryAnswers = {true, true, true, true, true, true};
    rig.Read();

    EXPECT_EQ(rig.host.asks, 7);
    EXPECT_TRUE(rig.host.messages.empty());
    rig.ExpectFailed(LinkMessage::CommunicationError);
}

TEST(CloneTransfer, ReplyHeaderBytesAreNotExamined) {
    Rig rig(Model::Lark);
    rig.alter = [](Reaction& r) {
        if (r.kind == ReplyKind::ReadReply) {
            std::fill(r.bytes.begin(), r.bytes.begin() + 4, 0xA5);
        }
    };
    rig.Read();
    EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Completed);
    EXPECT_TRUE(std::equal(rig.image.begin(), rig.image.begin() + 0x3C0, rig.radioStart.begin()));
}

TEST(CloneTransfer, ShortReplyFailsTheReadAndKeepsTheImage) {
    Rig rig(Model::Wren, {FaultKind::ShortReplyAt, 5});
    rig.Read();

    rig.ExpectFailed(LinkMessage::ProgramInterrupt);
    EXPECT_EQ(rig.host.messages, std::vector<int>{61454});
    EXPECT_EQ(rig.transfer.Result().pairsDone, 2);
    EXPECT_EQ(rig.host.steps, (std::vector<int>{1, 2}));
    EXPECT_EQ(rig.image, rig.imageBefore);
    // Nothing is acknowledged after the short reply.
    EXPECT_EQ(rig.port.written.back(), 0x08);
    rig.ExpectEndedOnce();
}

TEST(CloneTransfer, BlockAckMustBeAFreshAck) {
    // Block 3's acknowledgement never comes (the byte before it was an ack),
    // or comes as something else: either way the block fails.
    for (const std::vector<std::uint8_t>& ack :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{0x15}}) {
        Rig rig(Model::WrenV3);
        int acks = 0;
        rig.alter = [&](Reaction& r) {
            if (r.kind == ReplyKind::BlockAck && acks++ == 3) {
                r.bytes = ack;
            }
        };
        rig.Read();
        rig.ExpectFailed(LinkMessage::ProgramInterrupt);
        EXPECT_EQ(rig.transfer.Result().pairsDone, 1);
        EXPECT_EQ(rig.image, rig.imageBefore);
    }
}

TEST(CloneTransfer, UnacknowledgedWriteBlockInterrupts) {
    Rig rig(Model::Lark, {FaultKind::ShortReplyAt, 7});
    rig.Write();

    rig.ExpectFailed(LinkMessage::ProgramInterrupt);
    EXPECT_EQ(rig.host.messages, std::vector<int>{61454});
    EXPECT_EQ(rig.transfer.Result().pairsDone, 3);
    rig.ExpectEndedOnce();
}

TEST(CloneTransfer, HangUpMidTransferInterruptsAndKeepsTheImage) {
    for (bool write : {false, true}) {
        Rig rig(Model::WrenV3, {FaultKind::HangUpAt, 40});
        rig.transfer.Run("com1", write, rig.image);

        rig.ExpectFailed(LinkMessage::ProgramInterrupt);
        EXPECT_EQ(rig.transfer.Result().pairsDone, 20);
        EXPECT_EQ(rig.image, rig.imageBefore);
        rig.ExpectEndedOnce();
    }
}

TEST(CloneTransfer, CancelDuringTheHandshakeEndsSilently) {
    // In the first attempt's pumps, and in a later attempt of a silent radio.
    for (int pumps : {3, 6 * 4 + 2}) {
        Rig rig(Model::Wren, {FaultKind::NeverAnswer});
        rig.host.cancelAfterPumps = pumps;
        rig.Read();

        EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Cancelled);
        EXPECT_EQ(rig.host.pumps, pumps);
        EXPECT_EQ(rig.port.attempts, pumps / 6);
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_EQ(rig.host.asks, 0);
        EXPECT_EQ(rig.t.ops[rig.t.ops.size() - 2], "pump");
        rig.ExpectEndedOnce();
        EXPECT_EQ(rig.image, rig.imageBefore);
    }
}

TEST(CloneTransfer, CancelBetweenPairsKeepsTheImage) {
    // Also after the very last pair: the user cancelled, so nothing is taken.
    for (int pair : {10, 60}) {
        Rig rig(Model::Lark);
        rig.host.cancelAtPair = pair;
        rig.Read();

        EXPECT_EQ(rig.transfer.Result().outcome, TransferOutcome::Cancelled);
        EXPECT_EQ(rig.transfer.Result().pairsDone, pair);
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_EQ(rig.image, rig.imageBefore);
        rig.ExpectEndedOnce();
    }
}

} // namespace
} // namespace radio::test
