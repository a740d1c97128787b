// GBK and UTF-8 conversion of arbitrary bytes: what comes out is valid, and
// text that went one way comes back the other.
#include "FuzzSupport.h"
#include "Gbk.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using radio::fuzz::Fail;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool utf8 = radio::IsValidUtf8(bytes);

    if (const auto decoded = radio::GbkToUtf8(bytes)) {
        if (!radio::IsValidUtf8(*decoded))
            Fail("GbkToUtf8 gave invalid UTF-8");
        // GBK has a few characters with two byte forms, so compare the text.
        const auto encoded = radio::Utf8ToGbk(*decoded);
        if (!encoded)
            Fail("decoded GBK text cannot be encoded again");
        if (radio::GbkToUtf8(*encoded) != decoded)
            Fail("GBK round trip changed the text");
    }

    if (const auto encoded = radio::Utf8ToGbk(bytes)) {
        if (!utf8)
            Fail("Utf8ToGbk took invalid UTF-8");
        if (radio::GbkToUtf8(*encoded) != std::string(bytes))
            Fail("UTF-8 round trip through GBK changed the text");
    }

    const std::string shown = radio::ProfileTextToUtf8(bytes);
    if (!radio::IsValidUtf8(shown))
        Fail("ProfileTextToUtf8 gave invalid UTF-8");
    if (utf8 && shown != bytes)
        Fail("ProfileTextToUtf8 changed valid UTF-8");
    if (!utf8) {
        const auto decoded = radio::GbkToUtf8(bytes);
        if (decoded && shown != *decoded)
            Fail("ProfileTextToUtf8 differs from the GBK decoding");
    }
    return 0;
}
