#include "RadioWriter.h"

#include "AtomicFile.h"
#include "MessageIds.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

std::string Hex4(int address) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(address));
    return buf;
}

// Makes the folder when missing; false with the reason when it cannot hold
// a new file.
bool UsableFolder(const std::string& folder, std::string& reason) {
    std::error_code ec;
    const fs::path path(folder);
    if (!fs::exists(path, ec)) {
        fs::create_directories(path, ec);
        if (ec) {
            reason = ec.message();
            return false;
        }
    }
    if (!fs::is_directory(path, ec)) {
        reason = "not a folder";
        return false;
    }
#ifndef _WIN32
    if (::access(path.c_str(), W_OK | X_OK) != 0) {
        reason = std::error_code(errno, std::generic_category()).message();
        return false;
    }
#endif
    return true;
}

// A name in `folder` no file has yet: a second backup in the same second
// gets "-2", then "-3", ...
std::string FreeBackupPath(const std::string& folder, const std::string& name) {
    const fs::path base = fs::path(folder) / name;
    std::error_code ec;
    if (!fs::exists(base, ec)) {
        return base.string();
    }
    const std::string stem = base.stem().string();
    for (int n = 2;; ++n) {
        const fs::path candidate = fs::path(folder) / (stem + "-" + std::to_string(n) + ".dat");
        if (!fs::exists(candidate, ec)) {
            return candidate.string();
        }
    }
}

WriteReport Ended(WriteReport report, WriteFailure failure, const TransferResult& transfer) {
    report.failure = failure;
    report.transfer = transfer;
    report.outcome = transfer.outcome == TransferOutcome::Cancelled ? TransferOutcome::Cancelled
                                                                    : TransferOutcome::Failed;
    return report;
}

} // namespace

ImageMismatch CompareWritten(const ModelVariant& variant, const Image& sent,
                             const Image& readBack) {
    ImageMismatch mismatch;
    const TransferPlan& plan = variant.writePlan;
    for (int pair = 0; pair < plan.Pairs(); ++pair) {
        const int first = plan.PairAddress(pair);
        for (int a = first; a < first + 16; ++a) {
            if (!variant.readPlan.Covers(a)) {
                continue;
            }
            const auto at = static_cast<std::size_t>(a);
            const std::uint8_t want = at < sent.size() ? sent[at] : 0xFF;
            const std::uint8_t got = at < readBack.size() ? readBack[at] : 0xFF;
            if (want != got) {
                if (mismatch.count == 0) {
                    mismatch.firstAddress = a;
                }
                ++mismatch.count;
            }
        }
    }
    return mismatch;
}

std::string BackupFileName(const ModelVariant& variant, std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    return std::string(variant.programName) + "-" + stamp.data() + ".dat";
}

std::string FillMessageArgs(std::string_view text, const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

RadioWriter::RadioWriter(const ModelVariant& variant, IPortOpener& opener, IWaiter& waiter,
                         ITransferHost& host)
    : m_variant(variant), m_opener(opener), m_waiter(waiter), m_host(host) {}

TransferResult RadioWriter::Transfer(const std::string& portName, bool write, Image& image) {
    CloneTransfer transfer(m_variant, m_opener, m_waiter, m_host);
    transfer.Run(portName, write, image);
    return transfer.Result();
}

WriteReport RadioWriter::Write(const std::string& portName, const Image& image,
                               const WriteOptions& options) {
    WriteReport report;

    if (!options.backupFolder.empty()) {
        std::string reason;
        if (!UsableFolder(options.backupFolder, reason)) {
            report.failure = WriteFailure::BackupFolder;
            report.detail = reason;
            report.messageId = ids::kBackupFolderUnusable;
            report.messageArgs = {options.backupFolder, reason};
            return report;
        }
        // Bytes the radio is not asked for keep the model's defaults, as in a
        // plain read.
        Image backup = MakeDefaultImage(m_variant);
        const TransferResult read = Transfer(portName, false, backup);
        if (read.outcome != TransferOutcome::Completed) {
            report.messageId =
                read.outcome == TransferOutcome::Cancelled ? 0 : ids::kBackupReadFailed;
            return Ended(std::move(report), WriteFailure::BackupRead, read);
        }
        const std::time_t when = options.now ? options.now() : std::time(nullptr);
        const std::string path =
            FreeBackupPath(options.backupFolder, BackupFileName(m_variant, when));
        std::string error;
        if (!StoreDat(path, backup, error)) {
            report.failure = WriteFailure::BackupSave;
            report.transfer = read;
            report.detail = error;
            report.messageId = ids::kBackupSaveFailed;
            report.messageArgs = {error};
            return report;
        }
        report.backupPath = path;
    }

    Image sent = image;
    const TransferResult written = Transfer(portName, true, sent);
    if (written.outcome != TransferOutcome::Completed) {
        return Ended(std::move(report), WriteFailure::Write, written);
    }
    report.written = true;
    report.transfer = written;

    if (options.verify) {
        Image readBack = MakeDefaultImage(m_variant);
        const TransferResult read = Transfer(portName, false, readBack);
        if (read.outcome != TransferOutcome::Completed) {
            report.messageId =
                read.outcome == TransferOutcome::Cancelled ? 0 : ids::kReadBackFailed;
            return Ended(std::move(report), WriteFailure::ReadBack, read);
        }
        report.transfer = read;
        report.mismatch = CompareWritten(m_variant, image, readBack);
        if (report.mismatch.Any()) {
            report.failure = WriteFailure::Mismatch;
            report.outcome = TransferOutcome::Failed;
            report.messageId = ids::kVerifyMismatch;
            report.messageArgs = {std::to_string(report.mismatch.count),
                                  Hex4(report.mismatch.firstAddress)};
            return report;
        }
        report.verified = true;
    }
    report.outcome = TransferOutcome::Completed;
    return report;
}

bool RadioWriter::RadioAnswers(const std::string& portName) {
    CloneTransfer probe(m_variant, m_opener, m_waiter, m_host);
    return probe.Probe(portName);
}

void WriteTally::Add(const WriteReport& report, const std::string& message) {
    ++m_radios;
    if (report.written) {
        ++m_written;
    }
    if (report.verified) {
        ++m_verified;
    }
    if (!report.Succeeded()) {
        m_failures.push_back({m_radios, message});
    }
}

} // namespace radio
