// Exact decimal scaling of typed numbers.
//
// A typed "145.0125" reaches us as the nearest double, which lies just below
// the decimal value; multiplying in binary and truncating would give
// 14501249. Every conversion of a typed number to a stored integer therefore
// goes through ScaleDecimal: both operands become the decimal numbers of at
// most 15 significant digits that the doubles stand for, and the product is
// formed exactly before it becomes a double again.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace radio {

// x times factor in exact decimal arithmetic; callers truncate toward zero.
double ScaleDecimal(double x, double factor);

// ScaleDecimal(x, factor) truncated toward zero; nullopt when the product
// does not fit a signed 32-bit integer (or is not finite).
std::optional<std::int32_t> ScaleToInt32(double x, double factor);

// The standard library's atof, without its dependence on the C locale:
// leading white space, optional sign, digits with an optional decimal point
// and exponent; the rest of the text is ignored; no number gives 0.
double ParseLeadingNumber(std::string_view text);

// atoi likewise: white space, optional sign, decimal digits; no digits gives 0.
// Values beyond the int range saturate.
int ParseLeadingInt(std::string_view text);

} // namespace radio
