// Drawing a verse: justified lines, kashida strokes, mark placement and Tajweed colours.
#include <algorithm>
#include <cmath>

#include "Classes/GlyphEngine/ArabicCodeTables.h"
#include "Classes/GlyphEngine/ArabicFont.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"

using namespace glyphcodes;

namespace {

bool isLetterCode(int c) { return c >= 82 && c <= 239 && !(c >= 99 && c <= 101); }
bool isStopSign(int c) { return c >= 121 && c <= 127; }
bool isTanweenMark(int c) {
    switch (c) {
    case 99: case 100: case 101: case 240: case 242: case 243: case 249: case 253: case 254: return true;
    default: return false;
    }
}

}  // namespace

const ArabicFont::LayerSource& ArabicFont::sourceOf(const CGLayer& layer) {
    auto found = patterns_.find(&layer);
    if (found != patterns_.end()) return found->second;
    cairo_surface_t* surface = layer.surface();
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int x0 = w, y0 = h, x1 = 0, y1 = 0;
    for (int y = 0; data && y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            if ((row[x] >> 24) == 0) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x + 1);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y + 1);
        }
    }
    LayerSource source{{cairo_pattern_create_for_surface(surface), cairo_pattern_destroy}, x0, y0, x1, y1};
    return patterns_.emplace(&layer, std::move(source)).first->second;
}

void ArabicFont::drawGlyph(CGContext& context, int code, uint32_t color, double x, double y, double w, double h) {
    std::shared_ptr<CGLayer> layer;
    if (color == kColorStopSign121 || color == kColorStopSign123)
        layer = getGlyph(color == kColorStopSign121 ? 1 : 0, color);
    else
        layer = getGlyph(code - CHARS_START_INDEX, color);
    if (!layer || w <= 0 || h <= 0) return;
    // An unscaled glyph at the context's own scale is copied straight through cairo: the image
    // fast path, since every position is a whole point.
    cairo_surface_t* surface = layer->surface();
    const double s = context.scale();
    if (surface && layer->scale() == s && w == layer->size().width && h == layer->size().height &&
        context.alpha() >= 1 && context.blendMode() == CGBlendMode::Normal) {
        cairo_t* cr = context.cairo();
        const LayerSource& src = sourceOf(*layer);
        if (src.x1 <= src.x0) return;   // nothing inked
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, s, s);
        cairo_matrix_translate(&m, -x, -y);
        cairo_pattern_set_matrix(src.pattern.get(), &m);
        cairo_set_source(cr, src.pattern.get());
        // Only the inked pixels are composited.
        cairo_rectangle(cr, x + src.x0 / s, y + src.y0 / s, (src.x1 - src.x0) / s, (src.y1 - src.y0) / s);
        cairo_fill(cr);
        return;
    }
    context.drawLayerInRect(*layer, CGRectMake(x, y, w, h));
}

uint32_t ArabicFont::colorFor(int j, int c, bool isLastVerse, VerseBytes bytes, int len, int verse) {
    uint32_t applied;
    if (endIndexOfColorCoding_ < j) {
        const uint32_t color = getColorOfSymbol(verse, isLastVerse, j, bytes, len, len, c, false);
        lastColorCodingType_ = anotherColorCodingType_ = color;
        applied = color;
        // These runs begin at the letter that follows the one asked.
        if (startIndexOfColorCoding_ > 0 && startIndexOfColorCoding_ != j &&
            (color == kColorIdghaam || color == kColorIkhfa || color == kColorIdghaamWithoutGhunna))
            applied = kColorNone;
    } else {
        applied = j >= startIndexOfColorCoding_ ? lastColorCodingType_ : kColorNone;
        const uint32_t second = getColorOfSymbol(verse, isLastVerse, j, bytes, len, len, c, true);
        if (second != kColorNone && lastColorCodingType_ == anotherColorCodingType_) anotherColorCodingType_ = second;
        if (anotherColorCodingType_ != applied && j >= startIndexOfColorCoding_) applied = anotherColorCodingType_;
    }
    return applied;
}

ArabicFont::KashidaPlan ArabicFont::planKashida(int A, int forWidth, int count, bool lastLine, float scale) {
    KashidaPlan plan{count, 0};
    if (lastLine || count == 0 || A < 1 || A >= forWidth) return plan;
    plan.count = 2;   // at most two places stretch per line
    int D = std::max(0, static_cast<int>(std::ceil((forWidth - A) / 2.0)));
    if (D == 1) D = static_cast<int>(scale);
    if (D == 0) {
        plan.count = static_cast<int>(scale);
        D = forWidth - A;
    }
    if (plan.count > 0 && A + D * plan.count > forWidth)
        D = static_cast<int>(std::floor((forWidth - A) / double(plan.count)));
    plan.width = D;
    return plan;
}

std::vector<uint8_t> ArabicFont::colorsOfVerse(int verse, bool isLastVerse, VerseBytes verseBytes, int startBytes,
                                               int endBytes) {
    std::vector<uint8_t> colors;
    if (verseBytes.empty() || startBytes < 0 || endBytes < startBytes) return colors;
    const int end = std::min(endBytes, static_cast<int>(verseBytes.size()) - 1);
    const int len = end - startBytes + 1;
    const VerseBytes range = verseBytes.subspan(startBytes, len);
    colors.assign(len, kColorNone);
    const bool savedSkip = skipNextChar_;
    skipNextChar_ = false;
    resetColorCoding();
    lastColorCodingType_ = anotherColorCodingType_ = kColorNone;
    for (int j = 0; j < len; ++j) {
        const bool skipWasSet = skipNextChar_;
        const int c = getTypeOfSymbol(verse, isLastVerse, j, range, len, len);
        if (skipWasSet && skipNextChar_ && isLetterCode(c)) {
            skipNextChar_ = false;
            continue;
        }
        if (c == 10) break;
        if (c >= CHARS_START_INDEX) colors[j] = static_cast<uint8_t>(colorFor(j, c, isLastVerse, range, len, verse));
    }
    skipNextChar_ = savedSkip;
    return colors;
}

void ArabicFont::drawVerseImageFromBytes(CGContext& context, int verse, bool isLastVerse, VerseBytes verseBytes,
                                         int startVerseBytes, int endVerseBytes, int startX, int forWidth) {
    std::lock_guard<std::recursive_mutex> guard(glyphDrawingLock());
    initCurrentVerseMetaData(verse, forWidth);
    if (getHeightOfVerseImage(verse, isLastVerse, verseBytes, startVerseBytes, endVerseBytes, forWidth, true) <= 0)
        return;
    layerContext_ = &context;
    initGlyphs(context);

    const int start = startVerseBytes;
    const int end = std::min(endVerseBytes, static_cast<int>(verseBytes.size()) - 1);
    const int len = end - start + 1;
    const VerseBytes range = verseBytes.subspan(start, len);
    const int width = std::max(forWidth, kMinLayoutWidth);
    const std::vector<uint8_t> colors = colorsOfVerse(verse, isLastVerse, verseBytes, start, end);
    skipNextChar_ = false;

    const auto& lines = currVerseMetaData_->lines();
    for (size_t n = 0; n < lines.size(); ++n) {
        const VerseMetaData::Line& line = lines[n];
        const int y = line.startY;
        const KashidaPlan plan =
            planKashida(line.actualWidth, width, line.kashidaCount, n + 1 == lines.size(), SCALE_FACTOR_);
        int count = plan.count;
        int D = plan.width;
        if (line.kashidaCount >= 120) NSLog("Check Kashidas: %i", verse);

        int x = startX;
        word_.clear();
        const int last = std::min(line.start + line.length, end);
        bool ended = false;
        for (int j = line.start; j <= last && !ended; ++j) {
            const bool skipWasSet = skipNextChar_;
            const int c = getTypeOfSymbol(verse, isLastVerse, j - start, range, len, len);
            if (skipWasSet && skipNextChar_ && isLetterCode(c)) {
                skipNextChar_ = false;
                continue;
            }
            if (c == 10) {
                x = drawWord(context, static_cast<int>(word_.size()), x, y, D, count);
                word_.clear();
                ended = true;
            } else if (c == 32) {
                x = drawWord(context, static_cast<int>(word_.size()), x, y, D, count);
                word_.clear();
                x -= SPACE_CHAR_WIDTH_;
                if (count == 0) D = 0;
            } else if (c >= CHARS_START_INDEX) {
                word_.push_back({static_cast<uint16_t>(c), verseBytes[j], static_cast<uint16_t>(charWidth(c)),
                                 colors[j - start]});
            }
        }
        if (!word_.empty()) drawWord(context, static_cast<int>(word_.size()), x, y, D, count);
    }
    layerContext_ = nullptr;
}

int ArabicFont::drawWord(CGContext& context, int wordCharIndex, int xOffset, int y, int avgKashidaWidth,
                         int& lineKashidaCount) {
    const int n = std::min(wordCharIndex, static_cast<int>(word_.size()));
    int x = xOffset;
    if (n == 0) return x;
    const int T = TASHKIL_HEIGHT_, PAD = TOP_TASHKIL_LETTER_PADDING_;
    const int p = T * 13 / 100;
    std::vector<uint16_t>& origs = wordOrigs_;
    origs.resize(n);
    for (int i = 0; i < n; ++i) origs[i] = word_[i].orig;

    // The word's kashida place: after the last letter pair, from the left, that may be stretched.
    int kashidaPlace = -1;
    if (avgKashidaWidth >= 1 && lineKashidaCount > 0) {
        for (int k = n - 1; k >= 1 && kashidaPlace < 0; --k) {
            const int L = origs[k];
            if (!isLetterCode(L)) continue;
            const int before = origs[k - 1];
            if (before == 109 || isStopSign(before)) continue;
            int F = 0;
            for (int f = k - 1; f >= 0; --f) {
                if (isCharTashkil(origs[f])) continue;
                F = origs[f];
                break;
            }
            if (F >= CHARS_START_INDEX && isKashidaPair(L, F)) {
                kashidaPlace = k - 1;
                --lineKashidaCount;
            }
        }
    }

    int lastLetter = 0, lastFullLetter = 0, lastOrig = 0;
    uint32_t lastLetterColor = kColorNone;
    double letterX = x, letterW = 0;   // box of the last letter drawn
    int prevUsedWidth = 0;
    int runningOffset = 0;
    for (int i = 0; i < n; ++i) {
        const WordSymbol& sym = word_[i];
        const int L = sym.code;
        const int prev = i > 0 ? word_[i - 1].code : 0;
        const bool letter = !isCharTashkil(L) || (L == 245 && prev == 251);
        if (letter) {
            const int tableW = charWidth(L);
            int w = tableW;
            if (isKashidaExtensible(L) && i + 1 < n && origs[i + 1] == 251 && w < charWidth(251) &&
                lastOrig >= CHARS_START_INDEX && doesJoinNext(lastOrig) && formJoinedToNext(lastOrig) == lastLetter)
                w = charWidth(251);
            if (L == 103) w = 0;
            x -= w;
            word_[i].width = static_cast<uint16_t>(w);
            double shift = 0;
            const int next = getNextActualChar(i, origs.data(), n - 1);
            const bool onStroke = (isKashidaExtensible(L) || (L == 245 && prev == 251)) &&
                                  lastLetter >= CHARS_START_INDEX && next >= 83 && next <= 239 &&
                                  doesJoinNext(lastOrig);
            if (onStroke) {
                const int s = (isCharTashkil(prev) && isTashkilAboveLetter(prev)) ? 1 : 0;
                drawGlyph(context, 112, sym.color, x - s, y, s + w, CHAR_HEIGHT_);
                shift = -s;
                if (L == 109) runningOffset = T / 2;
            } else if (L == 109) {
                x += w;   // takes back its advance: it sits over the letter before
                runningOffset = isCharTashkil(prev) ? T / 2 : CHAR_HEIGHT_ / 2 + 6 - markOffsetAbove(lastLetter);
                shift = letterX + (letterW - glyphWidth(L)) / 2.0 - x + (isCharTashkil(prev) ? -1 : 0);
            } else if (L == 102 || L == 103) {
                shift = letterX + (letterW - glyphWidth(L)) / 2.0 - x;
            }
            if (w > tableW) shift += (w - tableW) / 2.0;
            const double gx = x + shift;
            drawGlyph(context, L, sym.color, gx, y, glyphWidth(L), glyphHeight(L));
            if (L != 109 && L != 102 && L != 103) {
                letterX = x;
                letterW = w;
            }
            prevUsedWidth = w;
            lastLetter = L;
            lastOrig = sym.orig;
            lastLetterColor = sym.color;
            if (sym.orig != 163 && sym.orig != 164) lastFullLetter = sym.orig;
            if (L != 109 && L != 245) runningOffset = 0;
        } else {
            const bool hidden = L == 241 && (prev == 249 || prev == 253 || prev == 254 || isTanweenMark(prev));
            if (!hidden) {
                const int markW = charWidth(L);
                double my = y + getTashkilYOffset(L, lastLetter);
                double mx = letterX + (letterW - markW) / 2.0;
                if (L == 251) {
                    my += lastLetter == 114 ? PAD : PAD / 2;
                    if (charWidth(prev) < charWidth(251)) mx += (charWidth(251) - prevUsedWidth) / 2.0;
                }
                if (lastFullLetter == 165 || lastFullLetter == 166 || lastFullLetter == 234 || lastFullLetter == 251) {
                    if (L == 124 || L == 126 || L == 251) my -= EXTRA_PREV_TASHKIL_OFFSET_;
                } else if (L == 100 || L == 103 || L == 243 || L == 248 || L == 249) {
                    const int nl = getNextActualChar(i, origs.data(), n - 1);
                    if (doesJoinNext(lastOrig) && (nl == 185 || nl == 187 || nl == 189 || nl == 205 || nl == 209))
                        my += T / 4;
                }
                if (lastLetter == 238) mx -= 2;
                if ((prev == 109 || isCharTashkil(prev)) && !isTashkilBelowLetter(L) && L != 251) {
                    const int q = prev == 109 ? runningOffset - p : T / 2 + runningOffset;
                    if (q > 0) my -= q + PAD / 2;
                    runningOffset = q;
                    if (L == 245) {
                        if (prev == 109) {
                            my += T * 70 / 100 - p;
                            mx += 2;
                        } else {
                            my -= p;
                            runningOffset += p;
                        }
                    }
                    if (L == 255) mx -= p;
                    if (prev >= 121 && prev <= 126) mx -= p;
                    if (L >= 121 && L <= 126) {
                        my -= T / 4;
                        runningOffset += T / 4;
                        if (prev >= 240 && CHAR_HEIGHT_ > 0 && static_cast<int>(my) % CHAR_HEIGHT_ > 4) {
                            my -= p;
                            runningOffset += p;
                        }
                    }
                }
                if (lastLetter == 106) my += T / 2;
                if (L >= 121 && L <= 126 && !isCharTashkil(prev) && charWidth(prev) <= SPACE_CHAR_WIDTH_) mx -= p;
                if (my < 0) my = T * 6.25 / 100;
                if (mx < 0) mx = 1;
                uint32_t color = sym.color;
                if (isStopSign(L)) {
                    color = kColorNone;
                    if (switches_.coloredStopSigns && L == 121) color = kColorStopSign121;
                    if (switches_.coloredStopSigns && L == 123) color = kColorStopSign123;
                }
                drawGlyph(context, L, color, mx, my, glyphWidth(L), glyphHeight(L));
            }
        }
        if (i == kashidaPlace) {
            x -= avgKashidaWidth;
            drawGlyph(context, 112, lastLetterColor, x, y, avgKashidaWidth, CHAR_HEIGHT_);
        }
    }
    return x;
}
