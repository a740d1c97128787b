// The user messages of the programmers by string id, in both languages.
#pragma once

#include "Texts.h"

#include <string_view>

namespace radio {

namespace ids {
inline constexpr int kOutOfRange = 61448;
inline constexpr int kCommunicationError = 61451;
inline constexpr int kDataWillBeCleared = 61452;
inline constexpr int kCannotOpenPort = 61453;
inline constexpr int kProgramInterrupt = 61454;
inline constexpr int kOffStep = 61456;
inline constexpr int kCaution = 61458;
} // namespace ids

// The text of a message id; empty for an id that has none.
std::string_view LoadResString(int id, Language lang);

} // namespace radio
