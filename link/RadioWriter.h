// A write to the radio with the dealer's safeguards around it: a backup of
// what the radio held before, and a read-back that proves what it holds now.
// The windows (COM Setup's check boxes, "Write to several radios...") and
// radioclone's write all go through here.
//
// Use:
//   radio::RadioWriter writer(variant, opener, waiter, host);
//   radio::WriteOptions options;
//   options.verify = true;
//   options.backupFolder = radio::DefaultBackupFolder(); // IniFile.h
//   const radio::WriteReport report = writer.Write(portName, image, options);
//   if (!report.Succeeded()) show FillMessageArgs(text of report.messageId, report.messageArgs);
//
// Each step is a whole clone transfer of its own (the port is opened and
// closed, the radio woken up anew), so the link messages of a step reach the
// host as they happen; the writer's own message is in the report for the
// caller to show once, after the link's.
//
// The backup and the read-back move the programmer's read plan. Bytes outside
// it (ProgramLark's 0x3C0-0x3FF, the part of a ProgramWrenV2 image the radio
// is never asked for) are neither in the backup as the radio holds them nor
// compared: only what the write plan sent is compared.
#pragma once

#include "CloneProtocol.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace radio {

struct WriteOptions {
    bool verify = false;
    // Read the radio into a new .dat file in this folder (made when missing)
    // before writing; empty for no backup.
    std::string backupFolder;
    // The time the backup's name carries; the local clock when empty.
    std::function<std::time_t()> now;
};

// Where a write ended, when it did not succeed.
enum class WriteFailure {
    None,
    BackupFolder, // the folder cannot be made or takes no files
    BackupRead,   // reading the radio for the backup failed
    BackupSave,   // the backup file could not be written
    Write,        // the write transfer failed
    ReadBack,     // reading the radio back failed
    Mismatch,     // the radio holds other bytes than were sent
};

// The first differing address and how many bytes differ.
struct ImageMismatch {
    int firstAddress = -1;
    int count = 0;
    bool Any() const { return count > 0; }
};

struct WriteReport {
    // Completed: written, and verified when asked. Cancelled: the user
    // stopped a step (wrote nothing when it was the backup). Failed: see
    // `failure`.
    TransferOutcome outcome = TransferOutcome::Failed;
    WriteFailure failure = WriteFailure::None;
    TransferResult transfer;              // of the step that ended the write
    bool written = false;                 // the write transfer completed
    bool verified = false;                // the read-back matched
    std::string backupPath;               // the backup saved; empty when none
    ImageMismatch mismatch;               // Mismatch only
    std::string detail;                   // the system's reason for a backup file failure
    int messageId = 0;                    // the writer's message (MessageIds.h); 0 when none
    std::vector<std::string> messageArgs; // %1, %2, ... of that message

    bool Succeeded() const { return outcome == TransferOutcome::Completed; }
};

// Compares the bytes the write plan sends (and the read plan reads back).
ImageMismatch CompareWritten(const ModelVariant& variant, const Image& sent, const Image& readBack);

// "<program>-YYYYMMDD-HHMMSS.dat" of the local time `when`.
std::string BackupFileName(const ModelVariant& variant, std::time_t when);

// The message text with %1, %2, ... replaced by `args` (at most nine).
std::string FillMessageArgs(std::string_view text, const std::vector<std::string>& args);

class RadioWriter {
public:
    RadioWriter(const ModelVariant& variant, IPortOpener& opener, IWaiter& waiter,
                ITransferHost& host);

    // Backup (when asked), write, read-back (when asked). Nothing is written
    // to the radio unless the backup, when asked, is safely on disk.
    WriteReport Write(const std::string& portName, const Image& image, const WriteOptions& options);

    // Opens the port, sends the wake-up and closes it again: true when a
    // radio answered (ProgramLark: any byte; the Wren family: 0x06). How
    // the tool notices the next radio of a row without asking the user.
    bool RadioAnswers(const std::string& portName);

private:
    TransferResult Transfer(const std::string& portName, bool write, Image& image);

    const ModelVariant& m_variant;
    IPortOpener& m_opener;
    IWaiter& m_waiter;
    ITransferHost& m_host;
};

// The tally of a row of radios written with the same image.
class WriteTally {
public:
    struct Failure {
        int radio = 0; // from 1
        std::string message;
    };

    // One radio's report; `message` is the text the caller showed for it
    // (its link message or the writer's own).
    void Add(const WriteReport& report, const std::string& message);

    int Radios() const { return m_radios; }
    int Written() const { return m_written; }
    int Verified() const { return m_verified; }
    int Failed() const { return static_cast<int>(m_failures.size()); }
    const std::vector<Failure>& Failures() const { return m_failures; }

private:
    int m_radios = 0;
    int m_written = 0;
    int m_verified = 0;
    std::vector<Failure> m_failures;
};

} // namespace radio
