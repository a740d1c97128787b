// The ids of the user messages: string resources of the programs, loaded by
// id at the moment of use (the texts: Strings.h).
#pragma once

namespace radio::ids {
inline constexpr int kOutOfRange = 61448;         // "Out of range,please input again."
inline constexpr int kCommunicationError = 61451; // "Communication Error,..."
inline constexpr int kDataWillBeCleared = 61452;  // "All data will be Cleared!"
inline constexpr int kCannotOpenPort = 61453;     // "Could not Open the Port,..."
inline constexpr int kProgramInterrupt = 61454;   // "Program Interrupt,..."
inline constexpr int kOffStep = 61456;            // "Error data Value, ..."
inline constexpr int kCaution = 61458;            // "Caution" (caption)
} // namespace radio::ids
