// Breaking a verse's glyph codes into lines with kashida places.
#include <algorithm>

#include "Classes/GlyphEngine/ArabicCodeTables.h"
#include "Classes/GlyphEngine/ArabicFont.h"

using namespace glyphcodes;

int ArabicFont::linePitch() const {
    return CHAR_HEIGHT_ + TASHKIL_HEIGHT_ + TOP_TASHKIL_LETTER_PADDING_ + TASHKIL_GAP + markOffsetBelow(249) + 2;
}

int ArabicFont::initCurrentVerseMetaData(int verse, int width) {
    auto record = std::make_shared<VerseMetaData>(verse, width);
    if (arrVerseMetaDataCache_.empty()) arrVerseMetaDataCache_.resize(META_DATA_CACHE_COUNT);
    arrVerseMetaDataCache_[0] = record;
    currVerseMetaData_ = record;
    return 0;
}

void ArabicFont::ClearCache() { arrVerseMetaDataCache_.assign(META_DATA_CACHE_COUNT, nullptr); }

// Width a code takes in a line; an extensible code before a kashida takes at least the kashida's width.
int ArabicFont::layoutWidthOf(int c, int next, int prevLetter, int prevDrawn) const {
    if (c == 32 || c == 103) return SPACE_CHAR_WIDTH_;
    int w = charWidth(c);
    if (isKashidaExtensible(c) && next == 251 && w < charWidth(251) && prevLetter >= CHARS_START_INDEX &&
        doesJoinNext(prevLetter) && formJoinedToNext(prevLetter) == prevDrawn)
        w = charWidth(251);
    return w;
}

bool ArabicFont::kashidaPlaceAt(VerseBytes bytes, int i, int prevLetter) const {
    const int b = bytes[i];
    return b >= 102 && b <= 239 && prevLetter > CHARS_START_INDEX && prevLetter != 109 && isKashidaPair(b, prevLetter);
}

int ArabicFont::getHeightOfVerseImage(int verse, bool isLastVerse, VerseBytes bytes, int startBytes, int endBytes,
                                      int forWidth, bool updateLineIndexes) {
    if (bytes.empty() || startBytes == endBytes || endBytes < startBytes || startBytes < 0) return 0;
    endBytes = std::min(endBytes, static_cast<int>(bytes.size()) - 1);
    if (endBytes <= startBytes) return 0;
    const int width = std::max(forWidth, kMinLayoutWidth);
    const int len = endBytes - startBytes + 1;
    const VerseBytes range = bytes.subspan(startBytes, len);
    const int T = TASHKIL_HEIGHT_, PAD = TOP_TASHKIL_LETTER_PADDING_;
    const int pitch = linePitch();
    VerseMetaData* record = updateLineIndexes ? currVerseMetaData_.get() : nullptr;
    std::vector<VerseMetaData::Line> lines;
    lines.push_back({startBytes, 0, 0, 0, 0});

    int W = 5;
    int s = -1;                      // start of the current word; -1 before the first space
    int G = EXTRA_TOP_MARGIN_ + T;   // highest mark top of the line
    int lineY = EXTRA_TOP_MARGIN_ + PAD + T;
    int H = PAD + T + CHAR_HEIGHT_ + TASHKIL_GAP + markOffsetBelow(249) + EXTRA_TOP_MARGIN_ + 2;
    int P = CHARS_START_INDEX;       // previous letter byte
    int prevDrawn = 0, lastMark = 0, lastSymbol = 0, lastFullLetter = 0;
    bool wordGavePlace = false;
    int placeIndex = -1;
    bool justClosed = false;
    skipNextChar_ = false;

    for (int i = startBytes; i <= endBytes; ++i) {
        const bool skipWasSet = skipNextChar_;
        const int c = getTypeOfSymbol(verse, isLastVerse, i - startBytes, range, len, len);
        if (skipWasSet && skipNextChar_ && c >= 82 && c <= 239) {
            skipNextChar_ = false;
            continue;
        }
        if (!wordGavePlace && kashidaPlaceAt(bytes, i, P)) {
            lines.back().kashidaCount++;
            wordGavePlace = true;
            placeIndex = i;
        }
        if (c == 10) break;
        if (c < CHARS_START_INDEX && c != 32) continue;   // not a glyph code: skipped
        justClosed = false;
        const int next = i + 1 <= endBytes ? bytes[i + 1] : 0;
        const int w = layoutWidthOf(c, next, P, prevDrawn);
        if (c == 32) s = i + 1;

        const bool mark = isCharTashkil(c) && !(c == 245 && lastMark == 251);
        if (!mark && c != 109 && c != 245) prevGetHeightTashkilOffset_ = 0;
        if (c == 241 && (lastSymbol == 249 || lastSymbol == 253 || lastSymbol == 254)) {
            lastSymbol = c;
            continue;
        }
        if (mark) {
            if (isTashkilAboveLetter(c)) {
                const int top = getMaxTopTashkilGap(lineY, bytes, i, endBytes, c, P, lastFullLetter, lastMark, P,
                                                    lastSymbol);
                G = std::min(G, top);
                prevGetHeightTashkilOffset_ = top;
            }
            lastMark = c;
            lastSymbol = c;
            continue;
        }

        const int lineStart = lines.back().start;
        // A word that already begins its line overhangs rather than closing empty lines.
        const bool wordBeginsLine = s < 0 || s <= lineStart;
        if (W + w + 1 < width || wordBeginsLine) {
            W += w;
        } else {
            VerseMetaData::Line& closing = lines.back();
            if (G < 0) {
                lineY -= G;
                H -= G;
            }
            closing.startY = lineY;
            closing.actualWidth = W + w;
            closing.length = (s > 0 ? s - 1 : 0) - closing.start;
            VerseMetaData::Line opened{s, 0, 0, 0, 0};
            prevGetHeightTashkilOffset_ = 0;
            G = EXTRA_TOP_MARGIN_ + T;
            lineY += pitch;
            H += pitch;
            if (i == s) {
                W = w + 5;
            } else {
                if (wordGavePlace && placeIndex >= s) closing.kashidaCount--;
                // The word s..i moves down whole.
                bool gave = false;
                int newW = 5, wp = 32, wDrawn = 0;
                const bool savedSkip = skipNextChar_;
                skipNextChar_ = false;
                for (int k = s; k <= i; ++k) {
                    const bool kSkip = skipNextChar_;
                    const int kc = getTypeOfSymbol(verse, isLastVerse, k - startBytes, range, len, len);
                    if (kSkip && skipNextChar_ && kc >= 82 && kc <= 239) {
                        skipNextChar_ = false;
                        continue;
                    }
                    if (!gave && k != placeIndex && kashidaPlaceAt(bytes, k, wp)) {
                        opened.kashidaCount++;
                        gave = true;
                        placeIndex = k;
                    }
                    if (kc != 32 && kc >= CHARS_START_INDEX && !isCharTashkil(kc)) {
                        newW += layoutWidthOf(kc, k + 1 <= endBytes ? bytes[k + 1] : 0, wp, wDrawn);
                        wp = bytes[k];
                        wDrawn = kc;
                    }
                }
                skipNextChar_ = savedSkip;
                wordGavePlace = gave;
                closing.actualWidth -= newW - 5;
                opened.actualWidth = newW;
                W = newW;
            }
            opened.startY = lineY;
            lines.push_back(opened);
            justClosed = true;
        }
        P = bytes[i];
        if (bytes[i] != 163 && bytes[i] != 164) lastFullLetter = bytes[i];
        prevDrawn = c;
        lastSymbol = c;
        if (c == 32) wordGavePlace = false;
    }

    if (G < 0) {
        lineY -= G;
        H -= G;
    }
    VerseMetaData::Line& open = lines.back();
    if (justClosed && open.start > endBytes) {
        lines.pop_back();
    } else {
        open.startY = lineY;
        open.actualWidth = W;
        open.length = endBytes - open.start;
    }
    if (record) record->lines() = std::move(lines);
    return H;
}

int ArabicFont::getTashkilYOffset(int tashkil, int letter) const {
    if (letter < CHARS_START_INDEX) return TASHKIL_GAP;
    if (isTashkilAboveLetter(tashkil))
        return markOffsetAbove(letter) - TOP_TASHKIL_LETTER_PADDING_ - TASHKIL_HEIGHT_;
    return markOffsetBelow(letter) + TASHKIL_GAP;
}

int ArabicFont::getMaxTopTashkilGap(int lineStartY, VerseBytes bytes, int wi, int endBytes, int d, int e,
                                    int f, int /*lastTashkil*/, int /*lastOrigChar*/, int h) {
    const int T = TASHKIL_HEIGHT_;
    const int p = T * 13 / 100;
    int top = lineStartY + getTashkilYOffset(d, e);
    if (d == 251) top += TOP_TASHKIL_LETTER_PADDING_;
    const bool tallLetterMark = d == 100 || d == 103 || d == 243 || d == 248 || d == 249;
    if ((f == 165 || f == 166 || f == 234 || f == 251) && (d == 124 || d == 126 || d == 251))
        top -= EXTRA_PREV_TASHKIL_OFFSET_;
    if (tallLetterMark && doesJoinNext(e)) {
        const int n = getNextActualCharFromVerse(wi, bytes, endBytes - 1, nullptr, false);
        if (n == 185 || n == 187 || n == 189 || n == 205 || n == 209) top += T / 4;
    }
    if ((h == 109 || isCharTashkil(h)) && !isTashkilBelowLetter(d) && d != 251) {
        if (h == 109) prevGetHeightTashkilOffset_ -= p;
        else prevGetHeightTashkilOffset_ += T / 2;
        top -= prevGetHeightTashkilOffset_;
        if (d != 255) {
            if (d == 245) {
                prevGetHeightTashkilOffset_ += p;
                top -= p;
            } else if (d >= 121 && d <= 126) {
                prevGetHeightTashkilOffset_ += T / 4;
                top -= T / 4;
                if (h >= 240 && CHAR_HEIGHT_ > 0 && top % CHAR_HEIGHT_ > 4) {
                    prevGetHeightTashkilOffset_ += p;
                    top -= p;
                }
            }
        }
    }
    if (e == 106) top += T / 2;
    return top;
}
