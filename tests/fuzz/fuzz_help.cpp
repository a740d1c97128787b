// Compiled help files of any content: the reader's own parsing of the context
// map and the #SYSTEM records on arbitrary bytes, and whole files through
// chmlib. Whatever a file holds, every context it maps must lead to a topic
// that the file really stores, and every path the reader hands out is
// normalised.
#include "FuzzSupport.h"
#include "HelpFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void CheckPath(const std::string& path) {
    if (path.empty() || path.front() != '/')
        radio::fuzz::Fail("a stored path does not start with '/'");
    if (HelpFileDetail::NormalisePath(path) != path)
        radio::fuzz::Fail("a path the reader hands out is not normalised");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The parsers alone: the input split into "#IVB", "#STRINGS" and "#SYSTEM".
    const std::size_t third = bytes.size() / 3;
    const std::string_view ivb = bytes.substr(0, third);
    const std::string_view strings = bytes.substr(third, third);
    const std::string_view system = bytes.substr(2 * third);
    for (const auto& [id, name] : HelpFileDetail::ParseContextMap(ivb, strings)) {
        (void)id;
        if (name.empty() || name.find('\0') != std::string::npos)
            radio::fuzz::Fail("a context name is empty or holds NUL");
        const auto topic = HelpFileDetail::ResolveTopicName(
            name, [](const std::string& p) { return p.size() % 2 == 0; });
        if (topic)
            CheckPath(*topic);
    }
    for (std::uint16_t code : {2, 3})
        if (auto record = HelpFileDetail::SystemRecord(system, code))
            if (record->find('\0') != std::string::npos)
                radio::fuzz::Fail("a #SYSTEM record holds NUL");
    const std::string normal = HelpFileDetail::NormalisePath(bytes);
    if (HelpFileDetail::NormalisePath(normal) != normal)
        radio::fuzz::Fail("NormalisePath is not idempotent");

    // The whole file, as the help window opens it from disk.
    const std::string path = radio::fuzz::TempPath("help.chm");
    radio::fuzz::WriteFile(path, data, size);
    CHelpFile help;
    if (help.Open(path)) {
        for (const auto& [id, topic] : help.ContextMap()) {
            CheckPath(topic);
            if (!help.Exists(topic))
                radio::fuzz::Fail("a context leads to a topic the file does not store");
            if (help.TopicForContext(id) != topic)
                radio::fuzz::Fail("TopicForContext disagrees with the context map");
        }
        if (!help.DefaultTopic().empty() && !help.Exists(help.DefaultTopic()))
            radio::fuzz::Fail("the default topic is not stored");
        int read = 0;
        for (const std::string& file : help.Files()) {
            if (++read > 8)
                break;
            (void)help.ReadFile(file);
        }
    }
    return 0;
}
