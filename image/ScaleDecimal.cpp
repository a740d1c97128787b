#include "ScaleDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace radio {

namespace {

// A decimal number: digits (most significant first) times 10^exponent.
struct Decimal {
    bool negative = false;
    std::vector<int> digits; // empty means zero
    int exponent = 0;
};

// The decimal of at most 15 significant digits that the double stands for,
// as OLE Automation's conversion from a double to a decimal forms it.
Decimal FromDouble(double x) {
    Decimal d;
    if (x == 0.0 || !std::isfinite(x)) {
        return d;
    }
    char buf[64];
    // Scientific with 14 decimals rounds the binary value to 15 significant
    // digits (to_chars, unlike printf, ignores the C locale).
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, x, std::chars_format::scientific, 14);
    *res.ptr = '\0';
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.digits.push_back(*p - '0');
        }
    }
    const int e = std::atoi(p + 1); // the exponent of the leading digit
    d.exponent = e - static_cast<int>(d.digits.size()) + 1;
    while (!d.digits.empty() && d.digits.back() == 0) {
        d.digits.pop_back();
        ++d.exponent;
    }
    return d;
}

Decimal Multiply(const Decimal& a, const Decimal& b) {
    Decimal r;
    if (a.digits.empty() || b.digits.empty()) {
        return r;
    }
    std::vector<int> acc(a.digits.size() + b.digits.size(), 0);
    for (std::size_t i = a.digits.size(); i-- > 0;) {
        for (std::size_t j = b.digits.size(); j-- > 0;) {
            acc[i + j + 1] += a.digits[i] * b.digits[j];
        }
    }
    for (std::size_t k = acc.size(); k-- > 1;) {
        acc[k - 1] += acc[k] / 10;
        acc[k] %= 10;
    }
    std::size_t first = 0;
    while (first < acc.size() && acc[first] == 0) {
        ++first;
    }
    r.digits.assign(acc.begin() + static_cast<std::ptrdiff_t>(first), acc.end());
    r.exponent = a.exponent + b.exponent;
    r.negative = a.negative != b.negative;
    return r;
}

double ToDouble(const Decimal& d) {
    if (d.digits.empty()) {
        return 0.0;
    }
    std::string s;
    if (d.negative) {
        s += '-';
    }
    for (int digit : d.digits) {
        s += static_cast<char>('0' + digit);
    }
    s += 'e';
    s += std::to_string(d.exponent);
    double v = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v); // correctly rounded
    if (res.ec == std::errc::result_out_of_range) {
        // from_chars leaves v alone; a product beyond the double range must
        // not read as zero, or callers would take it for a small number.
        v = d.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return d.negative ? -v : v;
    }
    return v;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ScaleDecimal(double x, double factor) {
    if (!std::isfinite(x) || !std::isfinite(factor)) {
        return x * factor; // infinities and NaN carry through, so they never fit
    }
    return ToDouble(Multiply(FromDouble(x), FromDouble(factor)));
}

std::optional<std::int32_t> ScaleToInt32(double x, double factor) {
    const double v = std::trunc(ScaleDecimal(x, factor));
    if (!std::isfinite(v) || v < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        v > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

double ParseLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0.0;
    }
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            end = j;
        }
    }
    // from_chars takes no leading '+'.
    std::size_t from = start;
    bool negative = false;
    if (text[from] == '+' || text[from] == '-') {
        negative = text[from] == '-';
        ++from;
    }
    double v = 0.0;
    const auto res = std::from_chars(text.data() + from, text.data() + end, v);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow gives infinity and underflow zero, as strtod does.
        const bool huge = [&] {
            for (std::size_t k = from; k < end; ++k) {
                if (text[k] == 'e' || text[k] == 'E') {
                    return text[k + 1] != '-';
                }
            }
            return true;
        }();
        v = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -v : v;
}

int ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            v = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
        }
    }
    if (negative) {
        v = -v;
    }
    if (v > std::numeric_limits<int>::max()) {
        v = std::numeric_limits<int>::max();
    }
    return static_cast<int>(v);
}

} // namespace radio
