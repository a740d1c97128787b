// A write with backup and read-back, against the in-memory line and radio:
// what is compared, what is kept, and that nothing reaches the radio when the
// backup could not be made.
#include "RadioWriter.h"
#include "ProtocolTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace radio::test {
namespace {

namespace fs = std::filesystem;
using sim::Fault;
using sim::FaultKind;

// Every opening of the port is a new session of the radio, as on the pty.
class SessionOpener final : public IPortOpener {
public:
    SessionOpener(FakeOpener& inner, sim::RadioEngine& engine) : inner_(inner), engine_(engine) {}
    std::unique_ptr<ISerialPort> Open(const std::string& name, std::string& reason) override {
        engine_.StartSession();
        return inner_.Open(name, reason);
    }

private:
    FakeOpener& inner_;
    sim::RadioEngine& engine_;
};

struct WriterRig {
    explicit WriterRig(Model model, Fault fault = {})
        : variant(VariantFor(model)), radioStart(PatternImage(variant.imageSize, 1)),
          engine(variant, radioStart, fault),
          port(t, [this](std::uint8_t b) { return engine.Receive(b); }), inner(port),
          opener(inner, engine), waiter(t), host(t), writer(variant, opener, waiter, host),
          image(PatternImage(variant.imageSize, 5)) {
        folder = fs::temp_directory_path() /
                 ("radio-writer-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    }
    ~WriterRig() { fs::remove_all(folder); }

    WriteReport Write(bool verify, bool backup) {
        WriteOptions options;
        options.verify = verify;
        if (backup) {
            options.backupFolder = (folder / "backups").string();
        }
        options.now = [] { return std::time_t{1'700'000'000}; };
        return writer.Write("com1", image, options);
    }
    int Sessions() const { return inner.opens; }

    static inline int counter = 0;
    const ModelVariant& variant;
    Image radioStart;
    sim::RadioEngine engine;
    Timeline t;
    FakePort port;
    FakeOpener inner;
    SessionOpener opener;
    RecordingWaiter waiter;
    RecordingHost host;
    RadioWriter writer;
    Image image;
    fs::path folder;
};

TEST(RadioWriter, VerifiedWriteReadsBackTheReadPlanAfterWriting) {
    for (const Model model : {Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3}) {
        WriterRig rig(model);
        const WriteReport r = rig.Write(true, false);
        EXPECT_TRUE(r.Succeeded()) << rig.variant.programName;
        EXPECT_TRUE(r.written);
        EXPECT_TRUE(r.verified);
        EXPECT_EQ(r.messageId, 0);
        EXPECT_EQ(rig.Sessions(), 2); // the write, then the read-back
        EXPECT_TRUE(rig.host.messages.empty());
    }
}

TEST(RadioWriter, ReadBackFailureFailsTheWriteAfterTheRadioWasWritten) {
    // Session 1 writes; the read-back (session 2) gets a short reply.
    WriterRig rig(Model::Wren, {FaultKind::ShortReplyAt, 9, 2, 2});
    const WriteReport r = rig.Write(true, false);
    EXPECT_FALSE(r.Succeeded());
    EXPECT_EQ(r.outcome, TransferOutcome::Failed);
    EXPECT_EQ(r.failure, WriteFailure::ReadBack);
    EXPECT_TRUE(r.written);
    EXPECT_FALSE(r.verified);
    EXPECT_EQ(r.messageId, ids::kReadBackFailed);
    EXPECT_EQ(r.transfer.message, LinkMessage::ProgramInterrupt);
    EXPECT_EQ(rig.host.messages, std::vector<int>{ids::kProgramInterrupt});
}

TEST(RadioWriter, OneByteTheRadioDoesNotKeepIsReportedByAddress) {
    WriterRig rig(Model::WrenV3, {FaultKind::FlipByteAt, 0x1FC5});
    const WriteReport r = rig.Write(true, false);
    EXPECT_EQ(r.outcome, TransferOutcome::Failed);
    EXPECT_EQ(r.failure, WriteFailure::Mismatch);
    EXPECT_EQ(r.mismatch.firstAddress, 0x1FC5);
    EXPECT_EQ(r.mismatch.count, 1);
    EXPECT_EQ(r.messageId, ids::kVerifyMismatch);
    EXPECT_EQ(r.messageArgs, (std::vector<std::string>{"1", "0x1FC5"}));
}

TEST(RadioWriter, OnlyWhatTheWritePlanSentIsCompared) {
    const ModelVariant& lark = VariantFor(Model::Lark);
    const Image sent = PatternImage(lark.imageSize, 3);
    Image back = sent;
    back[0x335] ^= 0xFF; // read, never written
    back[0x3D0] ^= 0xFF; // neither read nor written
    EXPECT_FALSE(CompareWritten(lark, sent, back).Any());
    back[0x32F] ^= 0x10;
    back[0x010] ^= 0x01;
    const ImageMismatch m = CompareWritten(lark, sent, back);
    EXPECT_EQ(m.firstAddress, 0x010);
    EXPECT_EQ(m.count, 2);

    // ProgramWrenV3's gap is never moved, so never compared.
    const ModelVariant& v3 = VariantFor(Model::WrenV3);
    Image v3sent = PatternImage(v3.imageSize, 3);
    Image v3back = v3sent;
    v3back[0x1500] ^= 0xFF;
    EXPECT_FALSE(CompareWritten(v3, v3sent, v3back).Any());
}

TEST(RadioWriter, BackupHoldsWhatTheRadioHadBeforeTheWrite) {
    WriterRig rig(Model::Lark);
    const WriteReport r = rig.Write(false, true);
    ASSERT_TRUE(r.Succeeded()) << r.detail;
    EXPECT_EQ(rig.Sessions(), 2); // the backup read, then the write
    ASSERT_FALSE(r.backupPath.empty());
    EXPECT_EQ(fs::path(r.backupPath).parent_path(), rig.folder / "backups");
    EXPECT_EQ(fs::path(r.backupPath).filename().string(),
              BackupFileName(rig.variant, 1'700'000'000));
    std::ifstream in(r.backupPath, std::ios::binary);
    const Image saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const Image defaults = MakeDefaultImage(rig.variant);
    ASSERT_EQ(saved.size(), defaults.size());
    for (int a = 0; a < rig.variant.imageSize; ++a) {
        const auto at = static_cast<std::size_t>(a);
        ASSERT_EQ(saved[at], rig.variant.readPlan.Covers(a) ? rig.radioStart[at] : defaults[at])
            << a;
    }

    // A second backup in the same second keeps the first.
    const WriteReport again = rig.Write(false, true);
    ASSERT_TRUE(again.Succeeded());
    EXPECT_NE(again.backupPath, r.backupPath);
    EXPECT_TRUE(fs::exists(r.backupPath));
}

TEST(RadioWriter, NothingIsWrittenWhenTheBackupCannotBeMade) {
    {
        // The folder's place is taken by a file.
        WriterRig rig(Model::Wren);
        fs::create_directories(rig.folder);
        std::ofstream(rig.folder / "backups") << "a file";
        const WriteReport r = rig.Write(true, true);
        EXPECT_EQ(r.failure, WriteFailure::BackupFolder);
        EXPECT_EQ(r.messageId, ids::kBackupFolderUnusable);
        EXPECT_FALSE(r.written);
        EXPECT_EQ(rig.Sessions(), 0);
        EXPECT_EQ(rig.engine.Memory(), rig.radioStart);
    }
    {
        // The backup read fails: the radio keeps what it had.
        WriterRig rig(Model::Wren, {FaultKind::ShortReplyAt, 4});
        const WriteReport r = rig.Write(false, true);
        EXPECT_EQ(r.failure, WriteFailure::BackupRead);
        EXPECT_EQ(r.messageId, ids::kBackupReadFailed);
        EXPECT_EQ(rig.Sessions(), 1);
        EXPECT_EQ(rig.engine.Memory(), rig.radioStart);
        EXPECT_FALSE(
            fs::exists(rig.folder / "backups" / BackupFileName(rig.variant, 1'700'000'000)));
    }
}

TEST(RadioWriter, CancelDuringTheBackupWritesNothing) {
    WriterRig rig(Model::Wren);
    rig.host.cancelAtPair = 3;
    const WriteReport r = rig.Write(true, true);
    EXPECT_EQ(r.outcome, TransferOutcome::Cancelled);
    EXPECT_EQ(r.failure, WriteFailure::BackupRead);
    EXPECT_EQ(r.messageId, 0);
    EXPECT_EQ(rig.Sessions(), 1);
    EXPECT_EQ(rig.engine.Memory(), rig.radioStart);
}

TEST(RadioWriter, ProbeTellsWhetherARadioAnswers) {
    WriterRig here(Model::Lark);
    EXPECT_TRUE(here.writer.RadioAnswers("com1"));
    EXPECT_EQ(here.port.closes, 1);
    WriterRig silent(Model::Lark, {FaultKind::NeverAnswer});
    EXPECT_FALSE(silent.writer.RadioAnswers("com1"));
    WriterRig wrenSilent(Model::Wren, {FaultKind::NeverAnswer});
    EXPECT_FALSE(wrenSilent.writer.RadioAnswers("com1"));
    WriterRig noPort(Model::Wren);
    noPort.inner.failReason = "no such device";
    EXPECT_FALSE(noPort.writer.RadioAnswers("com1"));
    EXPECT_TRUE(noPort.host.messages.empty()); // a probe shows nothing
}

TEST(RadioWriter, TallyCountsEachRadioOnce) {
    WriteTally tally;
    WriteReport ok;
    ok.outcome = TransferOutcome::Completed;
    ok.written = ok.verified = true;
    WriteReport mismatch;
    mismatch.written = true;
    mismatch.failure = WriteFailure::Mismatch;
    tally.Add(ok, "");
    tally.Add(mismatch, "Verify failed");
    tally.Add(ok, "");
    EXPECT_EQ(tally.Radios(), 3);
    EXPECT_EQ(tally.Written(), 3);
    EXPECT_EQ(tally.Verified(), 2);
    ASSERT_EQ(tally.Failed(), 1);
    EXPECT_EQ(tally.Failures()[0].radio, 2);
    EXPECT_EQ(tally.Failures()[0].message, "Verify failed");
}

TEST(RadioWriter, MessageArgumentsAndBackupNames) {
    EXPECT_EQ(FillMessageArgs("%2 then %1, 100%", {"a", "b"}), "b then a, 100%");
    EXPECT_EQ(FillMessageArgs("%3 stays", {"a"}), "%3 stays");
    const std::string name = BackupFileName(VariantFor(Model::WrenV2), 0);
    EXPECT_EQ(name.rfind("ProgramWrenV2-", 0), 0u) << name;
    EXPECT_EQ(name.size(), std::string("ProgramWrenV2-YYYYMMDD-HHMMSS.dat").size());
}

} // namespace
} // namespace radio::test
