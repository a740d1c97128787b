#pragma once

// Read-only access to a compiled HTML Help (.chm) file: the topic of a context
// number, through the file's context map, and the bytes of any file stored in
// it, for a viewer that shows topics with their pictures and style sheets.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct chmFile;

class CHelpFile {
public:
    CHelpFile() = default;
    ~CHelpFile();
    CHelpFile(const CHelpFile&) = delete;
    CHelpFile& operator=(const CHelpFile&) = delete;

    // Opens a .chm and reads its context map; false when the file is missing or
    // is not a compiled help file. Closes a file opened before.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const std::string& Path() const { return m_path; }

    // Path inside the file ("/en/read.html") of the topic mapped to the context
    // number; nothing when the number is not mapped or its topic is not stored.
    std::optional<std::string> TopicForContext(std::uint32_t id) const;
    // Every context number with the path of its topic.
    const std::map<std::uint32_t, std::string>& ContextMap() const { return m_contexts; }

    // The bytes of a stored file; the path is absolute inside the file
    // ("/en/style.css"), '\' and a missing leading '/' are accepted.
    std::optional<std::string> ReadFile(const std::string& path) const;
    bool Exists(const std::string& path) const;
    // Paths of the stored topics and other content files (no internal files).
    std::vector<std::string> Files() const;

    // The topic the file names as its default ("/en/index.html"), or "" when it
    // names none that is stored.
    std::string DefaultTopic() const { return m_defaultTopic; }
    // The title the file was compiled with, as the bytes it holds.
    const std::string& Title() const { return m_title; }

private:
    chmFile* m_file = nullptr;
    std::string m_path;
    std::map<std::uint32_t, std::string> m_contexts;
    std::string m_defaultTopic;
    std::string m_title;
};

// The parts of the reader that need no file, exposed for tests.
namespace HelpFileDetail {

// "#IVB" holds a byte count and then pairs of little-endian 32-bit words:
// context number, offset of the topic's name in "#STRINGS". Entries whose
// offset is outside "#STRINGS" or whose name is empty are skipped.
std::vector<std::pair<std::uint32_t, std::string>> ParseContextMap(std::string_view ivb,
                                                                   std::string_view strings);

// "#SYSTEM" records: code 2 is the default topic, code 3 the title.
std::optional<std::string> SystemRecord(std::string_view system, std::uint16_t code);

// Puts a path into the form the file stores: '/' separators, one leading '/',
// "." and ".." steps resolved (never above the root), no drive letter.
std::string NormalisePath(std::string_view path);

// Finds the stored file a topic name of the context map refers to. Compilers
// store either a path relative to the project ("en/read.html") or the full
// path the topic had on the compiling machine ("/build/res/help/en/read.html",
// "C:\help\en\read.html"); the longest trailing part of the path that is
// stored wins.
std::optional<std::string> ResolveTopicName(std::string_view name,
                                            const std::function<bool(const std::string&)>& exists);

// False when the file's LZX control data would trip chmlib: it goes on
// computing with the control data after finding it unreadable or its window
// size zero (a division by zero while opening), and decompresses with no
// decoder when the window is not one LZX knows; and it follows the
// directory's links without counting, so a loop among them would hang it. The file's directory is
// read here on its own, every entry of that name in every listing chunk, and a file whose headers
// cannot be followed is refused too.
bool ControlDataIsSafe(std::string_view file);

} // namespace HelpFileDetail
