#include "Gbk.h"

#include <climits>
#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace radio {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

#ifdef _WIN32

constexpr UINT kGbkCodePage = 936;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view in) {
    if (in.empty())
        return std::wstring();
    if (in.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const int inLen = static_cast<int>(in.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLen, nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLen, wide.data(), n) != n)
        return std::nullopt;
    return wide;
}

std::optional<std::string> FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    if (wide.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    // UTF-8 refuses the default-character arguments; GBK needs them so that
    // an unrepresentable character fails instead of turning into '?'.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* pUsedDefault = utf8 ? nullptr : &usedDefault;
    const int inLen = static_cast<int>(wide.size());
    const int n =
        WideCharToMultiByte(codePage, flags, wide.data(), inLen, nullptr, 0, nullptr, pUsedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), inLen, out.data(), n, nullptr,
                            pUsedDefault) != n ||
        usedDefault)
        return std::nullopt;
    return out;
}

std::optional<std::string> Convert(UINT from, UINT to, std::string_view in) {
    const auto wide = ToWide(from, in);
    if (!wide)
        return std::nullopt;
    return FromWide(to, *wide);
}

std::optional<std::string> DecodeGbk(std::string_view in, bool replaceBad) {
    if (!replaceBad)
        return Convert(kGbkCodePage, CP_UTF8, in);
    if (auto whole = Convert(kGbkCodePage, CP_UTF8, in))
        return whole;
    // Character by character: a valid pair, a valid single byte, or U+FFFD.
    std::string out;
    std::size_t i = 0;
    while (i < in.size()) {
        const auto byte = static_cast<unsigned char>(in[i]);
        if (byte < 0x80) {
            out += in[i];
            ++i;
            continue;
        }
        if (i + 1 < in.size()) {
            if (auto pair = Convert(kGbkCodePage, CP_UTF8, in.substr(i, 2))) {
                out += *pair;
                i += 2;
                continue;
            }
        }
        if (auto single = Convert(kGbkCodePage, CP_UTF8, in.substr(i, 1)))
            out += *single;
        else
            out += kReplacement;
        ++i;
    }
    return out;
}

std::optional<std::string> EncodeGbk(std::string_view utf8) {
    return Convert(CP_UTF8, kGbkCodePage, utf8);
}

#else

// One iconv conversion descriptor, closed with its owner.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (Ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`. A bad or incomplete sequence fails the whole
    // conversion, or with `replaceBad` becomes U+FFFD for its first byte.
    std::optional<std::string> Run(std::string_view in, bool replaceBad) {
        std::string out;
        char buffer[512];
        // iconv takes a non-const input pointer but does not write through it.
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            if (!replaceBad)
                return std::nullopt;
            out += kReplacement;
            ++inPtr;
            --inLeft;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1) &&
            !replaceBad)
            return std::nullopt;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return out;
    }

private:
    iconv_t m_cd;
};

// glibc knows code page 936 as "CP936" (0x80 is the euro sign, as on
// Windows); other iconv implementations may only know "GBK".
std::optional<std::string> RunGbk(bool toUtf8, std::string_view in, bool replaceBad) {
    for (const char* name : {"CP936", "GBK"}) {
        Iconv cd(toUtf8 ? "UTF-8" : name, toUtf8 ? name : "UTF-8");
        if (cd.Ok())
            return cd.Run(in, replaceBad);
    }
    return std::nullopt;
}

std::optional<std::string> DecodeGbk(std::string_view in, bool replaceBad) {
    return RunGbk(true, in, replaceBad);
}

std::optional<std::string> EncodeGbk(std::string_view utf8) {
    return RunGbk(false, utf8, false);
}

#endif

} // namespace

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    return DecodeGbk(gbk, false);
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    std::optional<std::string> gbk = EncodeGbk(utf8);
    // Some converters drop characters they consider ignorable (tag
    // characters, say) instead of refusing them: what does not come back
    // whole was not converted.
    if (gbk && DecodeGbk(*gbk, false) != std::optional<std::string>(utf8))
        return std::nullopt;
    return gbk;
}

std::string ProfileTextToUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    if (auto text = DecodeGbk(bytes, true))
        return *text;
    // Only when no GBK converter exists at all.
    std::string out;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            out += c;
        else
            out += kReplacement;
    }
    return out;
}

} // namespace radio
