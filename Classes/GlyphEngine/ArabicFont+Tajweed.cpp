// Tajweed colour rules: which rule colours a byte, and over which bytes the colour runs.
#include <algorithm>

#include "Classes/GlyphEngine/ArabicFont.h"

namespace {

bool isQalqalaLetter(int c) { return c == 178 || c == 185 || c == 190 || c == 202 || c == 216; }

bool isIkhfaLetter(int c) {
    switch (c) {
    case 181: case 183: case 185: case 190: case 191: case 193: case 195: case 197: case 199: case 201:
    case 202: case 203: case 214: case 216: case 218: return true;
    default: return false;
    }
}

bool isNarrowMark(int c) { return ArabicFont::isCharTashkil(c, true); }

}  // namespace

uint32_t ArabicFont::getColorOfSymbol(int /*verse*/, bool /*isLastVerse*/, int i, VerseBytes bytes, int verseByteLen,
                                      int /*overallBytesLen*/, int resolvedChar, bool skipGhunnaAndQalqala) {
    const int L = std::min(verseByteLen, static_cast<int>(bytes.size()));
    if (i < 0 || i >= L) return kColorNone;
    const int c = bytes[i];
    const int last = L - 1;
    auto byteAt = [&](int k) { return (k >= 0 && k < L) ? static_cast<int>(bytes[k]) : 0; };
    // The next letter (spaces skipped) or the next byte (spaces count) after k.
    auto nextLetter = [&](int k, int* index) { return getNextActualCharFromVerse(k, bytes, last, index, true); };
    auto nextByteIndex = [&](int k) {
        int m = -1;
        getNextActualCharFromVerse(k, bytes, last, &m, false);
        return m;
    };
    auto runEndFrom = [&](int k) {
        int m = nextByteIndex(k);
        return (m >= 0 && m > k) ? m - 1 : k + 1;
    };
    auto setRun = [&](int start, int end, uint32_t color) {
        startIndexOfColorCoding_ = start;
        endIndexOfColorCoding_ = end;
        return color;
    };

    if (c < CHARS_START_INDEX) return kColorNone;
    if (isCharTashkil(c)) {
        switch (c) {
        case 99: case 100: case 101: case 240: case 241: case 242: case 243: case 249: case 253: case 254: break;
        default: return kColorNone;
        }
    }

    // 1. Qalqala.
    if (switches_.qalqala && !skipGhunnaAndQalqala && isQalqalaLetter(c)) {
        if (i + 1 >= L) return setRun(i, L - 1, kColorQalqala);
        const int after = byteAt(i + 1);
        const int next = nextLetter(i, nullptr);
        if (after == 252 || next == 0 || next == 10) return setRun(i, after == 252 ? i + 1 : L - 1, kColorQalqala);
    }

    // 2. Meem sakin before ba: IkhfaMeemSakin.
    if (switches_.ikhfa && c == 222 && i + 1 < L) {
        const int after = byteAt(i + 1);
        int k = -1;
        if ((after == 252 || (!isNarrowMark(after) && after != 241)) && nextLetter(i, &k) == 178 && k + 1 < L &&
            isCharTashkil(byteAt(k + 1)))
            return setRun(i, runEndFrom(k), kColorIkhfaMeemSakin);
    }

    // 3. Meem sakin before meem: IdghaamMeemSakin.
    if (switches_.idgham && c == 222 && i + 1 < L) {
        const int after = byteAt(i + 1);
        int k = -1;
        if ((after == 252 || !isNarrowMark(after)) && nextLetter(i, &k) == 222 && k + 1 < L &&
            isCharTashkil(byteAt(k + 1))) {
            startIndexOfColorCoding_ = i;
            const int m = nextByteIndex(k);
            if (m >= 0 && m > k) endIndexOfColorCoding_ = m - 1;
            return kColorIdghaamMeemSakin;
        }
    }

    // 4. Noon sakin and tanween.
    if ((switches_.ikhfa || switches_.idgham) && i + 1 < L) {
        const bool tanween = doesCharacterHaveTanween(i, bytes, last);
        int K = -1;
        bool haveNoon = false;
        if (tanween) {
            K = i;
            haveNoon = true;
        } else {
            int k = -1;
            int letter = nextLetter(i, &k);
            if (letter == 115) letter = nextLetter(k, &k);
            if (letter == 224 && k + 1 < L && (byteAt(k + 1) == 252 || !isNarrowMark(byteAt(k + 1)))) {
                K = k;
                haveNoon = true;
            }
        }
        if (haveNoon && K + 1 < L) {
            int q = -1;
            int G = nextLetter(K, &q);
            if (tanween && G == 115) G = nextLetter(q, &q);
            else if (tanween && G == 175 && !(q == last || isNarrowMark(byteAt(q + 1)))) G = nextLetter(q, &q);
            const int nb = byteAt(nextByteIndex(K));
            const bool endsWord = tanween || nb == 0 || nb == 10 || nb == 32;
            if (switches_.ikhfa && q >= 0 && q + 1 < L && isIkhfaLetter(G))
                return setRun(K, runEndFrom(q), kColorIkhfa);
            if (switches_.idgham && q >= 0 && q + 1 < L && endsWord && (G == 222 || G == 224 || G == 228 || G == 232))
                return setRun(K, runEndFrom(q), kColorIdghaam);
            if (switches_.idgham && q >= 0 && q + 1 < L && endsWord && (G == 192 || G == 220) && byteAt(q + 1) == 250)
                return setRun(K, runEndFrom(q), kColorIdghaamWithoutGhunna);
        }
    }

    // 5. Ghunna: meem or noon with shadda.
    if (switches_.ghunna && !skipGhunnaAndQalqala && (c == 222 || c == 224) && i + 1 < L &&
        doesCharacter(i, 250, bytes, last)) {
        int end;
        if (doesCharacter(i, 241, bytes, last)) {
            end = i + 1;
        } else {
            const int m = nextByteIndex(i);
            end = (m >= 0 && m - 1 > i) ? m - 1 : i + 1;
        }
        return setRun(i, end, kColorGhunna);
    }

    // 6. Qalb: noon or tanween turned to meem before ba.
    if (switches_.iqlab && i + 1 < L) {
        const bool meemForm = c == 241 || c == 249 || c == 253 || c == 254 || resolvedChar == 249 ||
                              resolvedChar == 253 || resolvedChar == 254;
        if (!meemForm && !doesCharacter(i, 241, bytes, last)) return kColorNone;
        int k = -1;
        int letter = nextLetter(i, &k);
        if (doesCharacterHaveTanween(i, bytes, last)) {
            if (letter == 115) letter = nextLetter(k, &k);
            else if (letter == 175 && k + 1 < L && !isNarrowMark(byteAt(k + 1))) letter = nextLetter(k, &k);
        }
        if (letter == 178 && k + 1 < L && isCharTashkil(byteAt(k + 1))) return setRun(i, runEndFrom(k), kColorQalb);
    }
    return kColorNone;
}
