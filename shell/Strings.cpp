#include "Strings.h"

#include <array>

// Marks a text for the translation tools without needing Qt here.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace radio {

namespace {

struct StringEntry {
    int id;
    const char* text;
};

constexpr std::array kStrings = {
    StringEntry{ids::kOutOfRange, QT_TRANSLATE_NOOP("Strings", "Out of range,please input again.")},
    StringEntry{ids::kCommunicationError,
                QT_TRANSLATE_NOOP("Strings", "Communication Error,Please check all the "
                                             "connections and the radio power")},
    StringEntry{ids::kDataWillBeCleared, QT_TRANSLATE_NOOP("Strings", "All data will be Cleared!")},
    StringEntry{ids::kCannotOpenPort,
                QT_TRANSLATE_NOOP("Strings", "Could not Open the Port,Please check whether the "
                                             "Port are occupied or the device are ok")},
    StringEntry{
        ids::kProgramInterrupt,
        QT_TRANSLATE_NOOP("Strings", "Program Interrupt, Please reset the radio and try again")},
    StringEntry{ids::kOffStep, QT_TRANSLATE_NOOP("Strings", "Error data Value, please input "
                                                            "according the step value(6.25K/5k).")},
    StringEntry{ids::kCaution, QT_TRANSLATE_NOOP("Strings", "Caution")},
    StringEntry{ids::kBackupFolderUnusable,
                QT_TRANSLATE_NOOP("Strings", "Cannot keep a backup in %1: %2. Nothing was "
                                             "written to the radio.")},
    StringEntry{ids::kBackupReadFailed,
                QT_TRANSLATE_NOOP("Strings", "The radio could not be read for the backup, so "
                                             "nothing was written to it.")},
    StringEntry{ids::kBackupSaveFailed,
                QT_TRANSLATE_NOOP("Strings", "The backup could not be saved: %1. Nothing was "
                                             "written to the radio.")},
    StringEntry{ids::kReadBackFailed,
                QT_TRANSLATE_NOOP("Strings", "The radio was written, but reading it back for "
                                             "the verify failed: the write is not verified.")},
    StringEntry{ids::kVerifyMismatch,
                QT_TRANSLATE_NOOP("Strings", "Verify failed: %1 bytes in the radio differ from "
                                             "the image written, the first at address %2.")},
    StringEntry{ids::kBackupSaved, QT_TRANSLATE_NOOP("Strings", "Backup saved as %1.")},
    StringEntry{ids::kWrittenAndVerified, QT_TRANSLATE_NOOP("Strings", "Written and verified.")},
};

constexpr std::array<int, kStrings.size()> kIds = [] {
    std::array<int, kStrings.size()> idList{};
    for (std::size_t i = 0; i < kStrings.size(); ++i) {
        idList[i] = kStrings[i].id;
    }
    return idList;
}();

} // namespace

const char* LoadResString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return "";
}

const int* MessageIdsBegin() {
    return kIds.data();
}

const int* MessageIdsEnd() {
    return kIds.data() + kIds.size();
}

} // namespace radio
