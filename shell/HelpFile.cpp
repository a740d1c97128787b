#include "HelpFile.h"

#include <chm_lib.h>

#include <cstring>
#include <fstream>
#include <vector>

namespace {

// Help files hold small pages; a larger object means a damaged file, which
// must not make the reader allocate whatever it claims.
constexpr std::uint64_t kMaxObjectSize = std::uint64_t{64} << 20;

std::uint32_t ReadLe32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint16_t ReadLe16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::optional<std::string> RetrieveObject(chmFile* file, const std::string& path) {
    if (file == nullptr || path.size() > CHM_MAX_PATHLEN) {
        return std::nullopt;
    }
    chmUnitInfo info{};
    if (chm_resolve_object(file, path.c_str(), &info) != CHM_RESOLVE_SUCCESS) {
        return std::nullopt;
    }
    if (info.length > kMaxObjectSize) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(info.length), '\0');
    if (info.length == 0) {
        return bytes;
    }
    const LONGINT64 got =
        chm_retrieve_object(file, &info, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                            static_cast<LONGINT64>(info.length));
    if (got != static_cast<LONGINT64>(info.length)) {
        return std::nullopt;
    }
    return bytes;
}

// chmlib sizes its decompression buffer by the block length of the reset
// table, unchecked, so a damaged table would make it allocate gigabytes on
// the first page read. LZX blocks of compiled help are 32 KB; anything over
// the largest LZX window means a damaged file.
bool ResetTableIsSane(chmFile* file) {
    static const std::string kResetTable =
        "::DataSpace/Storage/MSCompressed/Transform/"
        "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";
    chmUnitInfo info{};
    if (chm_resolve_object(file, kResetTable.c_str(), &info) != CHM_RESOLVE_SUCCESS ||
        info.space != CHM_UNCOMPRESSED) {
        return true; // chmlib then reads no compressed content at all
    }
    constexpr std::uint64_t kBlockLengthAt = 0x20;
    constexpr std::uint64_t kMaxBlockLength = 1u << 21;
    if (info.length < kBlockLengthAt + 8) {
        return false;
    }
    const auto table = RetrieveObject(file, kResetTable);
    if (!table) {
        return false;
    }
    const std::uint64_t blockLength =
        ReadLe32(*table, kBlockLengthAt) |
        static_cast<std::uint64_t>(ReadLe32(*table, kBlockLengthAt + 4)) << 32;
    return blockLength > 0 && blockLength <= kMaxBlockLength;
}

bool IsContentPath(const char* path) {
    // Internal objects start with '#', '$' or "::"; directories end with '/'.
    const std::size_t n = std::strlen(path);
    if (n < 2 || path[0] != '/' || path[n - 1] == '/') {
        return false;
    }
    return path[1] != '#' && path[1] != '$';
}

int CollectFile(chmFile*, chmUnitInfo* info, void* context) {
    if (IsContentPath(info->path)) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(info->path);
    }
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

namespace HelpFileDetail {

std::vector<std::pair<std::uint32_t, std::string>> ParseContextMap(std::string_view ivb,
                                                                   std::string_view strings) {
    std::vector<std::pair<std::uint32_t, std::string>> entries;
    if (ivb.size() < 4) {
        return entries;
    }
    // The leading count is trusted only as far as the object really reaches.
    std::size_t length = ReadLe32(ivb, 0);
    if (length > ivb.size() - 4) {
        length = ivb.size() - 4;
    }
    for (std::size_t at = 4; at + 8 <= 4 + length; at += 8) {
        const std::uint32_t id = ReadLe32(ivb, at);
        const std::uint32_t offset = ReadLe32(ivb, at + 4);
        if (offset >= strings.size()) {
            continue;
        }
        std::string_view name = strings.substr(offset);
        name = name.substr(0, name.find('\0'));
        if (!name.empty()) {
            entries.emplace_back(id, std::string(name));
        }
    }
    return entries;
}

std::optional<std::string> SystemRecord(std::string_view system, std::uint16_t code) {
    // A version word, then records of code, length and data.
    std::size_t at = 4;
    while (at + 4 <= system.size()) {
        const std::uint16_t recordCode = ReadLe16(system, at);
        const std::uint16_t length = ReadLe16(system, at + 2);
        at += 4;
        if (length > system.size() - at) {
            break;
        }
        if (recordCode == code) {
            std::string_view data = system.substr(at, length);
            return std::string(data.substr(0, data.find('\0')));
        }
        at += length;
    }
    return std::nullopt;
}

namespace {

std::uint64_t ReadLe64(std::string_view bytes, std::size_t at) {
    return ReadLe32(bytes, at) | static_cast<std::uint64_t>(ReadLe32(bytes, at + 4)) << 32;
}

// The directory's variable-length numbers: 7 bits a byte, high bit set on
// all but the last.
bool ReadEncInt(std::string_view chunk, std::size_t& at, std::size_t end, std::uint64_t& value) {
    value = 0;
    for (int bytes = 0; at < end && bytes < 10; ++bytes) {
        const auto b = static_cast<unsigned char>(chunk[at++]);
        value = (value << 7) | (b & 0x7Fu);
        if ((b & 0x80u) == 0) {
            return true;
        }
    }
    return false;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// chmlib walks the directory's index chunks from the root, and the listing
// chunks along their "next" links, without counting steps: a damaged file
// whose links lead round in a circle would hang it. Every link of every
// index chunk is followed here, and the listing chain, each at most once.
bool DirectoryHasNoLoops(std::string_view dir, std::size_t headerLength, std::size_t chunkLength) {
    const std::size_t chunks = (dir.size() - headerLength) / chunkLength;
    const auto chunkAt = [&](std::int64_t n) {
        return dir.substr(headerLength + static_cast<std::size_t>(n) * chunkLength, chunkLength);
    };
    const auto valid = [&](std::int64_t n) {
        return n >= 0 && static_cast<std::size_t>(n) < chunks;
    };
    const auto asIndex = [](std::uint32_t v) {
        return static_cast<std::int64_t>(static_cast<std::int32_t>(v));
    };
    // The listing chain.
    std::vector<char> seen(chunks, 0);
    for (std::int64_t n = asIndex(ReadLe32(dir, 0x20)); valid(n);) {
        if (seen[static_cast<std::size_t>(n)]++ != 0) {
            return false;
        }
        const std::string_view chunk = chunkAt(n);
        if (chunk.substr(0, 4) != "PMGL") {
            break;
        }
        n = asIndex(ReadLe32(chunk, 16));
    }
    // The index tree: depth-first over every child link, a chunk on the
    // current path met again is a loop.
    std::vector<char> state(chunks, 0); // 0 new, 1 on the path, 2 done
    std::vector<std::pair<std::int64_t, std::size_t>> path;
    const std::int64_t root = asIndex(ReadLe32(dir, 0x1C));
    if (!valid(root)) {
        return true;
    }
    const auto enter = [&](std::int64_t n) {
        state[static_cast<std::size_t>(n)] = 1;
        path.emplace_back(n, 8);
    };
    enter(root);
    while (!path.empty()) {
        auto& [n, at] = path.back();
        const std::string_view chunk = chunkAt(n);
        const std::size_t freeSpace = ReadLe32(chunk, 4);
        const std::size_t end = chunk.substr(0, 4) == "PMGI" && freeSpace <= chunkLength - 8
                                    ? chunkLength - freeSpace
                                    : 0;
        std::uint64_t nameLength = 0, child = 0;
        if (at >= end || !ReadEncInt(chunk, at, end, nameLength) || nameLength > end - at) {
            state[static_cast<std::size_t>(n)] = 2;
            path.pop_back();
            continue;
        }
        at += nameLength;
        if (!ReadEncInt(chunk, at, end, child)) {
            at = end;
            continue;
        }
        const auto next = static_cast<std::int64_t>(child);
        if (!valid(next) || state[static_cast<std::size_t>(next)] == 2) {
            continue;
        }
        if (state[static_cast<std::size_t>(next)] == 1) {
            return false;
        }
        enter(next);
    }
    return true;
}

} // namespace

bool ControlDataIsSafe(std::string_view file) {
    constexpr std::string_view kControlData = "::DataSpace/Storage/MSCompressed/ControlData";
    constexpr std::size_t kChunkHeader = 20;
    constexpr std::uint64_t kMinControlData = 0x18;
    if (file.size() < 0x58 || file.substr(0, 4) != "ITSF") {
        return false;
    }
    const std::uint32_t version = ReadLe32(file, 4);
    const std::uint64_t dirOffset = ReadLe64(file, 0x48);
    const std::uint64_t dirLength = ReadLe64(file, 0x50);
    if (dirOffset > file.size() || dirLength > file.size() - dirOffset || dirLength < 0x54) {
        return false;
    }
    std::uint64_t dataOffset = dirOffset + dirLength;
    if (version >= 3) {
        if (file.size() < 0x60) {
            return false;
        }
        dataOffset = ReadLe64(file, 0x58);
    }
    const std::string_view dir = file.substr(dirOffset, dirLength);
    if (dir.substr(0, 4) != "ITSP") {
        return false;
    }
    const std::uint32_t headerLength = ReadLe32(dir, 8);
    const std::uint32_t chunkLength = ReadLe32(dir, 0x10);
    // chmlib allocates a chunk's length for every lookup: the directory must
    // really hold chunks of that length.
    if (chunkLength <= kChunkHeader || headerLength > dir.size() ||
        chunkLength > dir.size() - headerLength) {
        return false;
    }
    if (!DirectoryHasNoLoops(dir, headerLength, chunkLength)) {
        return false;
    }
    for (std::size_t chunkAt = headerLength; chunkLength <= dir.size() - chunkAt;
         chunkAt += chunkLength) {
        const std::string_view chunk = dir.substr(chunkAt, chunkLength);
        if (chunk.substr(0, 4) != "PMGL") {
            continue;
        }
        const std::uint32_t freeSpace = ReadLe32(chunk, 4);
        if (freeSpace > chunkLength - kChunkHeader) {
            continue;
        }
        const std::size_t end = chunkLength - freeSpace;
        std::size_t at = kChunkHeader;
        while (at < end) {
            std::uint64_t nameLength = 0, section = 0, offset = 0, length = 0;
            if (!ReadEncInt(chunk, at, end, nameLength) || nameLength > end - at) {
                break;
            }
            const std::string_view name = chunk.substr(at, nameLength);
            at += nameLength;
            if (!ReadEncInt(chunk, at, end, section) || !ReadEncInt(chunk, at, end, offset) ||
                !ReadEncInt(chunk, at, end, length)) {
                break;
            }
            constexpr std::string_view kResetTableName =
                "::DataSpace/Storage/MSCompressed/Transform/"
                "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";
            const bool control = EqualsIgnoringCase(name, kControlData);
            if (!control && !EqualsIgnoringCase(name, kResetTableName)) {
                continue;
            }
            // chmlib reads both while opening, decompressing with what it
            // has not set up yet if they claim the compressed section.
            if (section != 0) {
                return false;
            }
            if (!control) {
                continue;
            }
            // chmlib divides by half the window size of what it read, read or not.
            if (length < kMinControlData || length > 4096 || dataOffset > file.size() ||
                offset > file.size() - dataOffset || length > file.size() - dataOffset - offset) {
                return false;
            }
            const std::string_view data = file.substr(dataOffset + offset, length);
            std::uint32_t reset = ReadLe32(data, 12);
            std::uint32_t window = ReadLe32(data, 16);
            if (ReadLe32(data, 8) == 2) {
                reset *= 0x8000u;
                window *= 0x8000u;
            }
            // Its LZX decoder takes windows of 2^15 to 2^21 bytes and goes on
            // with no decoder at all otherwise; it divides by the blocks per
            // reset, which a zero count or a short interval makes zero.
            const bool lzxWindow =
                window >= (1u << 15) && window <= (1u << 21) && (window & (window - 1)) == 0;
            if (!lzxWindow || reset == 0 || reset % (window / 2) != 0 || ReadLe32(data, 20) == 0) {
                return false;
            }
        }
    }
    return true;
}

std::string NormalisePath(std::string_view path) {
    std::string text(path);
    for (char& c : text) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (text.size() >= 2 && text[1] == ':' &&
        ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'))) {
        text.erase(0, 2);
    }
    std::vector<std::string> steps;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string step = text.substr(start, end - start);
        if (step == "..") {
            if (!steps.empty()) {
                steps.pop_back();
            }
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& step : steps) {
        result += '/';
        result += step;
    }
    return result.empty() ? "/" : result;
}

std::optional<std::string> ResolveTopicName(std::string_view name,
                                            const std::function<bool(const std::string&)>& exists) {
    const std::string path = NormalisePath(name);
    if (path == "/") {
        return std::nullopt;
    }
    // Longest trailing part first: "/a/b/c.html", "/b/c.html", "/c.html".
    for (std::size_t at = 0; at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string candidate = path.substr(at);
        if (exists(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace HelpFileDetail

CHelpFile::~CHelpFile() {
    Close();
}

void CHelpFile::Close() {
    if (m_file != nullptr) {
        chm_close(m_file);
        m_file = nullptr;
    }
    m_path.clear();
    m_contexts.clear();
    m_defaultTopic.clear();
    m_title.clear();
}

bool CHelpFile::Open(const std::string& path) {
    Close();
    // chmlib is handed only files whose headers it cannot trip over.
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
        if (size < 0 || static_cast<std::uint64_t>(size) > kMaxObjectSize) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(size));
        in.seekg(0);
        if (!in.read(bytes.data(), size)) {
            return false;
        }
    }
    if (!HelpFileDetail::ControlDataIsSafe(bytes)) {
        return false;
    }
    chmFile* file = chm_open(path.c_str());
    if (file == nullptr) {
        return false;
    }
    if (!ResetTableIsSane(file)) {
        chm_close(file);
        return false;
    }
    m_file = file;
    m_path = path;

    const auto exists = [this](const std::string& p) { return Exists(p); };
    const std::string ivb = RetrieveObject(m_file, "/#IVB").value_or(std::string());
    const std::string strings = RetrieveObject(m_file, "/#STRINGS").value_or(std::string());
    for (const auto& [id, name] : HelpFileDetail::ParseContextMap(ivb, strings)) {
        if (auto topic = HelpFileDetail::ResolveTopicName(name, exists)) {
            m_contexts.emplace(id, *topic);
        }
    }

    const std::string system = RetrieveObject(m_file, "/#SYSTEM").value_or(std::string());
    if (auto name = HelpFileDetail::SystemRecord(system, 2)) {
        m_defaultTopic = HelpFileDetail::ResolveTopicName(*name, exists).value_or(std::string());
    }
    m_title = HelpFileDetail::SystemRecord(system, 3).value_or(std::string());
    return true;
}

std::optional<std::string> CHelpFile::TopicForContext(std::uint32_t id) const {
    const auto found = m_contexts.find(id);
    if (found == m_contexts.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> CHelpFile::ReadFile(const std::string& path) const {
    return RetrieveObject(m_file, HelpFileDetail::NormalisePath(path));
}

bool CHelpFile::Exists(const std::string& path) const {
    if (m_file == nullptr) {
        return false;
    }
    const std::string normal = HelpFileDetail::NormalisePath(path);
    if (normal.size() > CHM_MAX_PATHLEN || normal == "/") {
        return false;
    }
    chmUnitInfo info{};
    return chm_resolve_object(m_file, normal.c_str(), &info) == CHM_RESOLVE_SUCCESS;
}

std::vector<std::string> CHelpFile::Files() const {
    std::vector<std::string> files;
    if (m_file != nullptr) {
        chm_enumerate(m_file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, CollectFile, &files);
    }
    return files;
}
