#include "IniFile.h"

#include "AtomicFile.h"
#include "Gbk.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
// Files look the same whichever system wrote them.
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Names compare ignoring the case of ASCII letters only; bytes >= 0x80 never
// fold. Text that is valid UTF-8 on both sides never has an ASCII byte inside
// a multibyte character, so each ASCII letter folds. Other text is taken as
// GBK, where a trail byte may be an ASCII letter: a lead byte (0x81-0xFE) and
// the byte after it compare exactly, as one character.
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    const bool gbk = !(IsValidUtf8(a) && IsValidUtf8(b));
    std::size_t i = 0;
    while (i < a.size()) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (gbk && x >= 0x81 && x <= 0xFE && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            i += 2;
            continue;
        }
        if (FoldAscii(x) != FoldAscii(y))
            return false;
        ++i;
    }
    return true;
}

// A value's trailing comment starts at the first "//", else at the first
// tab-semicolon, else at the first "/*"; none of these bytes can be a GBK
// trail byte, so plain byte search is safe.
std::string CutComments(std::string value) {
    for (std::string_view marker : {"//", "\t;", "/*"}) {
        const auto at = value.find(marker);
        if (at != std::string::npos)
            value.resize(at);
    }
    return value;
}

std::string CurrentDirectory() {
#ifdef _WIN32
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return ".";
    std::string dir(needed, '\0');
    const DWORD got = GetCurrentDirectoryA(needed, dir.data());
    if (got == 0 || got >= needed)
        return ".";
    dir.resize(got);
    return dir;
#else
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string(".") : cwd.string();
#endif
}

// Position of the last path separator in a command-line name, or npos.
std::size_t LastSeparator(const std::string& path) {
#ifdef _WIN32
    // The name is in the ANSI code page, where a '\' byte may be the trail
    // byte of a double-byte character.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/')
            last = i;
    }
    return last;
#else
    return path.rfind('/');
#endif
}

} // namespace

CIniFile::~CIniFile() {
    try {
        Save();
    } catch (...) {
        // A destructor must not throw; the file keeps its old contents.
    }
    Clear();
}

std::string CIniFile::ProgramDirectoryOf(const std::string& argv0) {
    const std::size_t sep = LastSeparator(argv0);
    if (sep == std::string::npos)
        return CurrentDirectory();
    return argv0.substr(0, sep);
}

ProfilePlaces ProfilePlaces::For(const std::string& programDirectory) {
    ProfilePlaces places;
#ifndef _WIN32
    places.programDirectoryWritable = ::access(programDirectory.c_str(), W_OK) == 0;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config != nullptr && *config == '/') {
        places.userDirectory = std::string(config) + "/radio-clone-suite";
    } else if (home != nullptr && *home != '\0') {
        places.userDirectory = std::string(home) + "/.config/radio-clone-suite";
    }
#else
    (void)programDirectory;
#endif
    return places;
}

std::string SuiteDataDirectory() {
    constexpr const char* kSuite = "radio-clone-suite";
#ifndef _WIN32
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (data != nullptr && *data == '/') {
        return std::string(data) + "/" + kSuite;
    }
    if (home != nullptr && *home != '\0') {
        return std::string(home) + "/.local/share/" + kSuite;
    }
#else
    const char* local = std::getenv("LOCALAPPDATA");
    if (local != nullptr && *local != '\0') {
        return std::string(local) + "\\" + kSuite;
    }
#endif
    return {};
}

std::string DefaultBackupFolder() {
    const std::string data = SuiteDataDirectory();
#ifdef _WIN32
    return data.empty() ? data : data + "\\backups";
#else
    return data.empty() ? data : data + "/backups";
#endif
}

bool CIniFile::OpenInProgramDir(const std::string& argv0, const std::string& fileName) {
    return OpenInProgramDir(argv0, fileName, ProfilePlaces::For(ProgramDirectoryOf(argv0)));
}

bool CIniFile::OpenInProgramDir(const std::string& argv0, const std::string& fileName,
                                const ProfilePlaces& places) {
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    const std::string shipped = ProgramDirectoryOf(argv0) + kSeparator + fileName;
    if (places.programDirectoryWritable || places.userDirectory.empty()) {
        return Open(shipped);
    }
    const std::string copy = places.userDirectory + kSeparator + fileName;
    std::error_code ec;
    if (fs::exists(copy, ec) || !fs::exists(shipped, ec)) {
        fs::create_directories(places.userDirectory, ec);
        return Open(copy);
    }
    // What was shipped, until the user changes something.
    const bool opened = Open(shipped);
    if (opened) {
        m_strSavePath = copy;
    }
    return opened;
}

bool CIniFile::Open(const std::string& path) {
    if (!m_strPath.empty()) {
        Save();
        Clear();
    }
    if (path.empty())
        return false;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        // Append mode creates a missing file without touching an existing one.
        if (std::FILE* created = std::fopen(path.c_str(), "ab"))
            std::fclose(created);
        file = std::fopen(path.c_str(), "rb");
        if (file == nullptr)
            return false;
    }
    // Read everything before loading anything: a file that fails half-way
    // must not be loaded in part, or a later Save would cut it short.
    std::string bytes;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return false;

    m_strPath = path;
    m_arrSections.emplace_back();
    m_ppKeys.emplace_back();
    m_ppValues.emplace_back();
    m_nLastSection = 0;

    const std::string_view all(bytes);
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view line = Trim(all.substr(pos, end - pos));
        pos = end + 1;

        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            AddSection(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : Trim(line.substr(eq + 1));
        if (key.empty() || std::string_view(";/\\*").find(key.front()) != std::string_view::npos)
            continue;
        m_ppKeys[static_cast<std::size_t>(m_nLastSection)].emplace_back(key);
        m_ppValues[static_cast<std::size_t>(m_nLastSection)].emplace_back(value);
    }
    return true;
}

std::string CIniFile::GetValue(std::string_view section, std::string_view key,
                               std::string_view def) const {
    const int index = FindSection(section);
    if (index < 0)
        return std::string(def);
    const auto& keys = m_ppKeys[static_cast<std::size_t>(index)];
    for (std::size_t k = keys.size(); k-- > 0;) {
        if (NamesEqual(keys[k], key))
            return CutComments(m_ppValues[static_cast<std::size_t>(index)][k]);
    }
    return std::string(def);
}

void CIniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (m_strPath.empty())
        return;
    int index = FindSection(section);
    if (index < 0) {
        index = AddSection(section);
        m_bModified = true;
    }
    auto& keys = m_ppKeys[static_cast<std::size_t>(index)];
    auto& values = m_ppValues[static_cast<std::size_t>(index)];
    for (std::size_t k = keys.size(); k-- > 0;) {
        if (NamesEqual(keys[k], key)) {
            // Exact comparison: a change of letter case only is still a
            // change the user asked for and must reach the disk.
            if (values[k] != value)
                m_bModified = true;
            values[k] = std::string(value);
            return;
        }
    }
    keys.emplace_back(key);
    values.emplace_back(value);
    m_bModified = true;
}

void CIniFile::Save() {
    if (!m_bModified || m_strPath.empty())
        return;
    FileWriteOptions options;
    options.inPlaceWhenFolderRefuses = true;
    std::string error;
    const std::string& target = m_strSavePath.empty() ? m_strPath : m_strSavePath;
    if (!m_strSavePath.empty()) {
        std::error_code ec;
        fs::create_directories(fs::path(target).parent_path(), ec);
    }
    m_bLastSaveFailed = !WriteFileAtomically(target, Serialize(), error, options);
    if (!m_bLastSaveFailed && !m_strSavePath.empty()) {
        // From now on this is the user's profile.
        m_strPath = m_strSavePath;
        m_strSavePath.clear();
    }
}

void CIniFile::Clear() {
    m_arrSections.clear();
    m_ppKeys.clear();
    m_ppValues.clear();
    m_strPath.clear();
    m_strSavePath.clear();
    m_nLastSection = 0;
    m_bModified = false;
}

int CIniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_arrSections.size(); ++i) {
        if (NamesEqual(m_arrSections[i], section))
            return static_cast<int>(i);
    }
    return -1;
}

int CIniFile::AddSection(std::string_view section) {
    m_arrSections.emplace_back(section);
    m_ppKeys.emplace_back();
    m_ppValues.emplace_back();
    m_nLastSection = static_cast<int>(m_arrSections.size()) - 1;
    return m_nLastSection;
}

std::string CIniFile::Serialize() const {
    std::string text;
    for (std::size_t i = 0; i < m_arrSections.size(); ++i) {
        // Nameless sections have no header: section 0's keys come first, and
        // the keys of a "[]" section join the section before it on reload.
        if (!m_arrSections[i].empty()) {
            text += '[';
            text += m_arrSections[i];
            text += ']';
            text += kLineEnd;
        }
        const auto& keys = m_ppKeys[i];
        const auto& values = m_ppValues[i];
        for (std::size_t k = 0; k < keys.size(); ++k) {
            text += keys[k];
            if (!keys[k].empty())
                text += '=';
            text += values[k];
            text += kLineEnd;
        }
    }
    return text;
}

} // namespace radio
