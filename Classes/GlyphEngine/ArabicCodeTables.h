#pragma once
// Joining and justification tables of the glyph codes, indexed by code - 82.
// Each holds 175 entries; the last (code 256) is never reached.

#include <array>
#include <cstdint>

namespace glyphcodes {

constexpr int kFirstCode = 82;      // CHARS_START_INDEX
constexpr int kTableSize = 175;
constexpr int kClassCount = 17;

extern const std::array<int8_t, kTableSize> joiningClass;          // -1 = none
extern const std::array<uint8_t, kClassCount * kClassCount> kashidaPairs;  // [cur * 17 + prev]
extern const std::array<uint8_t, kTableSize> joinsNext;
extern const std::array<uint8_t, kTableSize> joinsPrevious;
extern const std::array<uint8_t, kTableSize> joinedToNext;         // 0 = none
extern const std::array<uint8_t, kTableSize> joinedFromPrevious;   // 0 = none

// Bounded lookups: codes outside 82-255 answer -1 / 0.
inline int classOf(int code) {
    return (code >= kFirstCode && code <= 255) ? joiningClass[code - kFirstCode] : -1;
}
inline bool doesJoinNext(int code) {
    return code >= kFirstCode && code <= 255 && joinsNext[code - kFirstCode] != 0;
}
inline bool doesJoinPrevious(int code) {
    return code >= kFirstCode && code <= 255 && joinsPrevious[code - kFirstCode] != 0;
}
inline int formJoinedToNext(int code) {
    return (code >= kFirstCode && code <= 255) ? joinedToNext[code - kFirstCode] : 0;
}
inline int formJoinedFromPrevious(int code) {
    return (code >= kFirstCode && code <= 255) ? joinedFromPrevious[code - kFirstCode] : 0;
}
// True when a kashida may be counted between a letter and the letter before it.
inline bool isKashidaPair(int current, int previous) {
    int a = classOf(current), b = classOf(previous);
    return a >= 0 && b >= 0 && kashidaPairs[a * kClassCount + b] == 1;
}

}  // namespace glyphcodes
