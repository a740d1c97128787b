// The ids of the user messages: string resources of the programs, loaded by
// id at the moment of use (the texts: Strings.h).
#pragma once

namespace radio::ids {
inline constexpr int kOutOfRange = 61448;         // "Out of range,please input again."
inline constexpr int kCommunicationError = 61451; // "Communication Error,..."
inline constexpr int kDataWillBeCleared = 61452;  // "All data will be Cleared!"
inline constexpr int kCannotOpenPort = 61453;     // "Could not Open the Port,..."
inline constexpr int kProgramInterrupt = 61454;   // "Program Interrupt,..."
inline constexpr int kOffStep = 61456;            // "Error data Value, ..."
inline constexpr int kCaution = 61458;            // "Caution" (caption)

// A write's safeguards (RadioWriter.h); %1, %2 are filled in by the caller.
inline constexpr int kBackupFolderUnusable = 61470; // "Cannot keep a backup in %1: %2. ..."
inline constexpr int kBackupReadFailed = 61471;     // "The radio could not be read for ..."
inline constexpr int kBackupSaveFailed = 61472;     // "The backup could not be saved: %1 ..."
inline constexpr int kReadBackFailed = 61473;       // "The radio was written, but reading ..."
inline constexpr int kVerifyMismatch = 61474;       // "Verify failed: %1 bytes ..."
inline constexpr int kBackupSaved = 61475;          // "Backup saved as %1."
inline constexpr int kWrittenAndVerified = 61476;   // "Written and verified."
} // namespace radio::ids
