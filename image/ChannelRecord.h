// The 16-byte channel record, the same in every programmer: where each field
// of a channel lies, counted from the record's first byte. The bits inside
// the two flag bytes differ by programmer and are described by the grid
// columns of the variant tables.
#pragma once

namespace radio::record {

inline constexpr int kSize = 16;
inline constexpr int kRxFrequency = 0; // 4 bytes, frequency code
inline constexpr int kTxFrequency = 4; // 4 bytes, frequency code
inline constexpr int kDecodeTone = 8;  // 2 bytes, tone code, low byte first
inline constexpr int kEncodeTone = 10; // 2 bytes, tone code, low byte first
inline constexpr int kFlags = 12;      // first flag byte
inline constexpr int kMoreFlags = 13;  // second flag byte (ProgramLark: power, bandwidth)

} // namespace radio::record
