// Choice of the glyph drawn for a byte, from its neighbours.
#include <algorithm>

#include "Classes/GlyphEngine/ArabicCodeTables.h"
#include "Classes/GlyphEngine/ArabicFont.h"

using namespace glyphcodes;

namespace {

bool isMark(int c) { return ArabicFont::isCharTashkil(c); }

// Codes joining looks through to the letter behind them.
bool isTransparent(int c) {
    switch (c) {
    case 102: case 103: case 106: case 107: case 108: case 109: case 113: case 114: return true;
    default: return false;
    }
}

bool isStopOrMarkSkip(int c) { return (c >= 99 && c <= 101) || c == 107 || (c >= 121 && c <= 126); }

int at(VerseBytes bytes, int i) { return (i >= 0 && i < static_cast<int>(bytes.size())) ? bytes[i] : 0; }

}  // namespace

bool ArabicFont::isCharTashkil(int c) {
    return (c >= 99 && c <= 101) || c == 107 || (c >= 121 && c <= 126) || (c >= 240 && c <= 255);
}

bool ArabicFont::isCharTashkil(int c, bool skipSpecialChars) {
    if (!skipSpecialChars) return isCharTashkil(c);
    return (c >= 99 && c <= 101) || c == 240 || (c >= 242 && c <= 255);
}

bool ArabicFont::isTashkilAboveLetter(int c) {
    return c == 99 || c == 101 || c == 107 || c == 109 || (c >= 121 && c <= 126) || (c >= 240 && c <= 242) ||
           (c >= 244 && c <= 247) || (c >= 250 && c <= 254);
}

bool ArabicFont::isTashkilBelowLetter(int c) { return c == 100 || c == 243 || c == 248 || c == 249 || c == 255; }

bool ArabicFont::isKashidaExtensible(int c) {
    switch (c) {
    case 102: case 103: case 106: case 107: case 108: case 109: case 113: case 114: case 245: return true;
    default: return false;
    }
}

int ArabicFont::getNextActualCharFromVerse(int index, VerseBytes verseBytes, int endIndex, int* nextIndex,
                                           bool skipSpace) {
    int last = std::min(endIndex, static_cast<int>(verseBytes.size()) - 1);
    for (int j = index + 1; j <= last; ++j) {
        int b = verseBytes[j];
        if (b >= 240 || (b >= 99 && b <= 101) || b == 107 || b == 109 || (b >= 121 && b <= 126)) continue;
        if (skipSpace && b == 32) continue;
        if (nextIndex) *nextIndex = j;
        return b;
    }
    return 0;
}

int ArabicFont::getNextActualChar(int position, const uint16_t* verseBytes, int endIndex) {
    if (!verseBytes) return 0;
    for (int j = position + 1; j <= endIndex; ++j) {
        int b = verseBytes[j] & 0xff;
        bool actual = (b >= 1 && b <= 98) || (b >= 102 && b <= 120) || (b >= 127 && b <= 239);
        if (actual && b != 107 && b != 109) return b;
    }
    return 0;
}

int ArabicFont::getPrevActualChar(int index, VerseBytes verseBytes) {
    for (int j = std::min(index, static_cast<int>(verseBytes.size())) - 1; j >= 0; --j) {
        int b = verseBytes[j];
        if (b >= 240 || (b >= 99 && b <= 101) || b == 107 || b == 109 || (b >= 121 && b <= 126)) continue;
        return b;
    }
    return 0;
}

bool ArabicFont::doesCharacterHaveTanween(int index, VerseBytes verseBytes, int endIndex) {
    int last = std::min(endIndex, static_cast<int>(verseBytes.size()) - 1);
    for (int j = index + 1; j <= last && isCharTashkil(verseBytes[j]); ++j) {
        switch (verseBytes[j]) {
        case 99: case 100: case 101: case 240: case 242: case 243: case 249: case 253: case 254: return true;
        default: break;
        }
    }
    return false;
}

bool ArabicFont::doesCharacter(int index, int tashkil, VerseBytes verseBytes, int endIndex) {
    int last = std::min(endIndex, static_cast<int>(verseBytes.size()) - 1);
    for (int j = index + 1; j <= last && isCharTashkil(verseBytes[j]); ++j)
        if (verseBytes[j] == tashkil) return true;
    return false;
}

uint16_t ArabicFont::getTypeOfSymbol(int /*verse*/, bool isLastVerse, int i, VerseBytes bytes, int verseByteLen,
                                     int /*overallBytesLen*/) {
    const int len = std::min(verseByteLen, static_cast<int>(bytes.size()));
    const int c = at(bytes, i);
    if (c < CHARS_START_INDEX) return static_cast<uint16_t>(c);

    // Previous letter F, looking through transparent codes.
    int F = 0, fIndex = -1;
    for (int j = i - 1; j >= 0; --j) {
        if (!isMark(bytes[j])) { F = bytes[j]; fIndex = j; break; }
    }
    if (isTransparent(F)) {
        const int t = F;
        F = 0;
        for (int j = fIndex - 1; j >= 0; --j) {
            if (isMark(bytes[j]) || bytes[j] == t) continue;
            F = bytes[j];
            fIndex = j;
            break;
        }
    }

    // Next letter N.
    const bool cIsMark = isMark(c);
    int N = 0, nIndex = -1;
    for (int j = i + 1; j < len; ++j) {
        int b = bytes[j];
        if (isMark(b) || (cIsMark && b == 32)) continue;
        N = b;
        nIndex = j;
        break;
    }
    if (isTransparent(N)) {
        const int t = N;
        N = 0;
        nIndex = -1;
        for (int j = i + 1; j < len; ++j) {
            int b = bytes[j];
            if (b > 239 || b == t || isStopOrMarkSkip(b)) continue;
            N = b;
            nIndex = j;
            break;
        }
    }

    int result = c;
    if ((c >= 99 && c <= 101) || c == 240 || c == 242 || c == 243) {
        if ((N >= 121 && N <= 127) || N == 175) {
            const int t = N;
            N = 0;
            nIndex = -1;
            for (int j = i + 1; j < len; ++j) {
                int b = bytes[j];
                if (b > 239 || b == t || b == 175 || b == 32 || isStopOrMarkSkip(b)) continue;
                N = b;
                nIndex = j;
                break;
            }
        }
    }
    if (cIsMark) {
        const bool nothingFollows = N == 0 || N == 10 || i == len - 1;
        if (N == 178 || (isLastVerse && nothingFollows)) {
            switch (c) {
            case 99: case 240: return 254;
            case 100: case 243: return 249;
            case 101: case 242: return 253;
            default: break;
            }
        }
        return static_cast<uint16_t>(c);
    }

    bool lamAlef = false;
    if (c == 220) {
        if (N == 115 || N == 165 || N == 167 || N == 170 || N == 175) {
            result = 238;
            lamAlef = true;
        } else if (N == 164) {
            int after = 0;
            for (int j = nIndex + 1; j < len; ++j) {
                int b = bytes[j];
                if (b == 0 || isStopOrMarkSkip(b) || b == 109 || b >= 240) continue;
                after = b;
                break;
            }
            if (after == 175) {
                result = 238;
                lamAlef = true;
            }
        }
    }
    if (!lamAlef && F == 220) {
        const int Q = getPrevActualChar(fIndex, bytes);
        const bool connects = Q >= CHARS_START_INDEX && doesJoinPrevious(Q) && formJoinedToNext(Q) != 0;
        switch (c) {
        case 115: return connects ? 94 : 92;
        case 165: return connects ? 95 : 234;
        case 167: return connects ? 96 : 235;
        case 170: return connects ? 97 : 236;
        case 175: return connects ? 98 : 237;
        case 164:
            if (N == 175) {
                if (connects) return 96;
                skipNextChar_ = true;
                return 93;
            }
            break;
        default: break;
        }
    }

    // Joining forms.
    if (N >= CHARS_START_INDEX && doesJoinPrevious(N) && formJoinedToNext(result) != 0)
        result = formJoinedToNext(result);
    if (F >= CHARS_START_INDEX && doesJoinNext(F) && formJoinedFromPrevious(result) != 0)
        result = formJoinedFromPrevious(result);
    return static_cast<uint16_t>(result);
}
