#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

// Enough hops for any sane chain of links; a loop ends here too.
constexpr int kMaxLinkHops = 40;

std::string SystemError(int err) {
    return std::strerror(err);
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link). A dangling link gives the missing file it names, so writing creates
// that file and keeps the link.
fs::path FollowLinks(fs::path path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) {
            break;
        }
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            break;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

int OpenForWriting(const fs::path& path, int flags) {
#ifdef _WIN32
    return _wopen(path.c_str(), flags | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), flags | O_WRONLY | O_CLOEXEC, 0666);
#endif
}

int CloseFile(int fd) {
#ifdef _WIN32
    return _close(fd);
#else
    return ::close(fd);
#endif
}

// Every byte, or false with errno set.
bool WriteAll(int fd, std::string_view bytes, int fault) {
    if (fault != 0) {
        errno = fault;
        return false;
    }
    while (!bytes.empty()) {
#ifdef _WIN32
        const int chunk = bytes.size() > (1u << 30) ? (1 << 30) : static_cast<int>(bytes.size());
        const int n = _write(fd, bytes.data(), static_cast<unsigned>(chunk));
#else
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
#endif
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool SyncToDisk(int fd, int fault) {
    if (fault != 0) {
        errno = fault;
        return false;
    }
#ifdef _WIN32
    return _commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

// A new file beside `target` that nobody else is writing; -1 with errno set
// when the folder takes no new file.
int CreateTemporaryBeside(const fs::path& target, fs::path& temporary, int fault) {
    if (fault != 0) {
        errno = fault;
        return -1;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", random());
        fs::path candidate = target;
        candidate += suffix;
        const int fd = OpenForWriting(candidate, O_CREAT | O_EXCL);
        if (fd >= 0) {
            temporary = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

void KeepPermissions([[maybe_unused]] int fd, [[maybe_unused]] const fs::path& target) {
#ifndef _WIN32
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    }
#endif
}

// Devices and pipes: opened and written as they are.
bool WriteDirectly(const fs::path& target, const std::string& path, std::string_view bytes,
                   const FileWriteOptions& options, std::string& error) {
    const int fd = OpenForWriting(target, O_TRUNC);
    if (fd < 0) {
        error = path + ": " + SystemError(errno);
        return false;
    }
    const bool written = WriteAll(fd, bytes, options.faults.write);
    const int writeErrno = errno;
    const bool closed = CloseFile(fd) == 0;
    if (!written || !closed) {
        error = path + ": writing failed: " + SystemError(written ? errno : writeErrno);
        return false;
    }
    return true;
}

// The profile's last resort: over the old text from its start, cut to the
// new length.
bool WriteInPlace(const fs::path& target, std::string_view bytes, const FileWriteOptions& options) {
    int fd = OpenForWriting(target, O_TRUNC);
    bool truncateAfter = false;
    if (fd < 0) {
        fd = OpenForWriting(target, 0);
        truncateAfter = true;
    }
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes, options.faults.write);
    const bool closed = CloseFile(fd) == 0;
    if (!written || !closed) {
        return false;
    }
    std::error_code ec;
    if (truncateAfter) {
        fs::resize_file(target, bytes.size(), ec);
    }
    return !ec;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         const FileWriteOptions& options) {
    std::error_code ec;
    const fs::path target = FollowLinks(fs::path(path));
    const fs::file_status st = fs::status(target, ec);
    if (fs::is_directory(st)) {
        error = path + ": is a folder, not a file";
        return false;
    }
    const bool exists = fs::exists(st);
    if (exists && !fs::is_regular_file(st)) {
        return WriteDirectly(target, path, bytes, options, error);
    }
    if (exists && (st.permissions() & fs::perms::owner_write) == fs::perms::none) {
        error = path + ": the file is read-only";
        return false;
    }

    fs::path temporary;
    const int fd = CreateTemporaryBeside(target, temporary, options.faults.create);
    if (fd < 0) {
        const int createErrno = errno;
        if (options.inPlaceWhenFolderRefuses && exists && WriteInPlace(target, bytes, options)) {
            return true;
        }
        error = path + ": cannot write here: " + SystemError(createErrno);
        return false;
    }
    const bool written =
        WriteAll(fd, bytes, options.faults.write) && SyncToDisk(fd, options.faults.sync);
    const int writeErrno = errno;
    if (written && exists) {
        KeepPermissions(fd, target);
    }
    const bool closed = CloseFile(fd) == 0;
    if (!written || !closed) {
        fs::remove(temporary, ec);
        error = path + ": writing failed: " + SystemError(written ? errno : writeErrno);
        return false;
    }
    if (options.faults.rename != 0) {
        ec = std::error_code(options.faults.rename, std::generic_category());
    } else {
        fs::rename(temporary, target, ec);
    }
    if (ec) {
        std::error_code ignore;
        fs::remove(temporary, ignore);
        error = path + ": cannot replace the file: " + ec.message();
        return false;
    }
    return true;
}

} // namespace radio
