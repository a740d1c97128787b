// The one way every output of the suite reaches the disk: .dat images,
// profiles, CSV tables, and whatever is added later.
//
// The bytes go to a new temporary file beside the target, are flushed and
// synced, take over the target's permissions and are renamed over it, so a
// reader sees the old file or the whole new one, never a part. A symbolic
// link is followed to the file it names, which is replaced while the link
// stays. Devices and FIFOs (/dev/stdout, a pipe) cannot be renamed over and
// are written directly. A read-only target or a folder is refused. On every
// failure the temporary file is removed and the target is left as it was.
#pragma once

#include <string>
#include <string_view>

namespace radio {

struct FileWriteOptions {
    // A profile may sit in a folder that takes no new files while the file
    // itself is writable (an installation folder): then the file is written
    // over in place rather than not at all.
    bool inPlaceWhenFolderRefuses = false;

    // Tests make one step fail with the system error given (ENOSPC for a full
    // disk, EACCES for a folder without write access); 0 lets it work.
    struct Faults {
        int create = 0;
        int write = 0;
        int sync = 0;
        int rename = 0;
    };
    Faults faults;
};

// Writes `bytes` to `path` as described above. False with a message for the
// user (naming the path and the system's reason) when it could not.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         const FileWriteOptions& options = {});

} // namespace radio
