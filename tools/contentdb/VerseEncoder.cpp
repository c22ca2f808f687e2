#include "tools/contentdb/VerseEncoder.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace VerseEncoder {
namespace {

const std::map<char32_t, uint8_t>& codeTable()
{
    static const std::map<char32_t, uint8_t> table = {
        // letters: the isolated code; the engine derives the joined forms
        {0x0621, 164}, {0x0622, 165}, {0x0623, 167}, {0x0624, 169}, {0x0625, 170}, {0x0626, 173},
        {0x0627, 175}, {0x0628, 178}, {0x0629, 179}, {0x062A, 181}, {0x062B, 183}, {0x062C, 185},
        {0x062D, 187}, {0x062E, 189}, {0x062F, 190}, {0x0630, 191}, {0x0631, 192}, {0x0632, 193},
        {0x0633, 195}, {0x0634, 197}, {0x0635, 199}, {0x0636, 201}, {0x0637, 202}, {0x0638, 203},
        {0x0639, 205}, {0x063A, 209}, {0x0641, 214}, {0x0642, 216}, {0x0643, 218}, {0x0644, 220},
        {0x0645, 222}, {0x0646, 224}, {0x0647, 226}, {0x0648, 228}, {0x0649, 229}, {0x064A, 232},
        {0x0671, 115},
        // vowels and other marks
        {0x064E, 244}, {0x064F, 246}, {0x0650, 248}, {0x0651, 250}, {0x06E1, 252},
        {0x064B, 99}, {0x064C, 101}, {0x064D, 100},   // stacked tanween
        {0x0657, 240}, {0x065E, 242}, {0x0656, 243},  // open tanween
        {0x0652, 107}, {0x06E0, 107}, {0x06EC, 107},  // silent-letter zeros
        {0x0653, 247}, {0x06E4, 247}, {0x0654, 245}, {0x0655, 255},
        {0x0670, 109}, {0x06E5, 106}, {0x06E6, 108}, {0x06E7, 113}, {0x06E8, 114},
        {0x06E3, 103},
        // stop signs
        {0x06D6, 121}, {0x06D7, 122}, {0x06D8, 123}, {0x06D9, 124}, {0x06DA, 125}, {0x06DB, 126},
    };
    return table;
}

bool isDropped(char32_t cp)
{
    // rub' el hizb and prostration signs (drawn from tables), a dot below, a thin space
    return cp == 0x06DE || cp == 0x06E9 || cp == 0x065C || cp == 0x2009;
}

std::string hexName(char32_t cp)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

} // namespace

bool decodeUtf8(const std::string& text, std::vector<char32_t>& out)
{
    out.clear();
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra;
        char32_t cp;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        else return false;
        if (i + extra >= text.size() && extra > 0)
            return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (n & 0x3F);
        }
        static const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += extra + 1;
    }
    return true;
}

std::string encodeUtf8(const std::vector<char32_t>& cps)
{
    std::string out;
    for (char32_t cp : cps) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool encode(const std::string& text, std::vector<uint8_t>& out, std::string& error)
{
    out.clear();
    std::vector<char32_t> cps;
    if (!decodeUtf8(text, cps)) {
        error = "invalid UTF-8";
        return false;
    }
    const auto& table = codeTable();
    for (size_t i = 0; i < cps.size(); ++i) {
        char32_t cp = cps[i];
        char32_t next = i + 1 < cps.size() ? cps[i + 1] : 0;
        if (cp == U' ') {
            // one space between words, none at the ends
            if (!out.empty() && out.back() != 32)
                out.push_back(32);
        } else if (isDropped(cp)) {
        } else if (cp == 0x0627 && next == 0x0653) {
            out.push_back(165);
            ++i;
        } else if (cp == 0x0640) {
            if (next == 0x0670) {
                out.push_back(109);
                out.push_back(251);
                ++i;
            } else if (next != 0x06E7 && next != 0x06E8) {
                out.push_back(212);
            } // before a small high yeh or noon the engine draws the stroke itself
        } else if (cp == 0x06E2 || cp == 0x06ED) {
            // small meem of iqlab: on a vowel it makes that vowel a tanween
            if (!out.empty() && cp == 0x06E2 && out.back() == 244)
                out.back() = 99;
            else if (!out.empty() && cp == 0x06E2 && out.back() == 246)
                out.back() = 101;
            else if (!out.empty() && cp == 0x06ED && out.back() == 248)
                out.back() = 100;
            out.push_back(241);
        } else if (cp == 0x06DC) {
            // small high seen: a sakta sign at a word end, a reading note inside a word
            out.push_back(next == 0 || next == U' ' ? 127 : 102);
        } else {
            auto it = table.find(cp);
            if (it == table.end()) {
                error = "character " + hexName(cp) + " at position " + std::to_string(i) + " has no glyph code";
                return false;
            }
            out.push_back(it->second);
        }
    }
    while (!out.empty() && out.back() == 32)
        out.pop_back();
    size_t wordStart = 0;
    for (size_t i = 0; i <= out.size(); ++i) {
        if (i == out.size() || out[i] == 32) {
            if (i - wordStart > static_cast<size_t>(kMaxSymbolsInWord)) {
                error = "word " + std::to_string(1 + std::count(out.begin(), out.begin() + wordStart, 32)) + " has " +
                        std::to_string(i - wordStart) + " symbols (at most " + std::to_string(kMaxSymbolsInWord) + ")";
                return false;
            }
            wordStart = i + 1;
        }
    }
    return true;
}

std::string simpleArabic(const std::string& text)
{
    std::vector<char32_t> cps, kept;
    if (!decodeUtf8(text, cps))
        return {};
    for (char32_t cp : cps) {
        if (cp == 0x0652 || cp == 0x0640 || cp == 0x065C || cp == 0x2009)
            continue;
        if (cp >= 0x06D6 && cp <= 0x06ED && cp != 0x06E1)
            continue;
        switch (cp) {
        case 0x06E1: cp = 0x0652; break;
        case 0x0657: cp = 0x064B; break;
        case 0x065E: cp = 0x064C; break;
        case 0x0656: cp = 0x064D; break;
        case 0x0671: cp = 0x0627; break;
        default: break;
        }
        if (cp == U' ' && (kept.empty() || kept.back() == U' '))
            continue;
        kept.push_back(cp);
    }
    while (!kept.empty() && kept.back() == U' ')
        kept.pop_back();
    return encodeUtf8(kept);
}

std::string cleanArabicAccents(const std::string& text)
{
    std::vector<char32_t> cps, kept;
    if (!decodeUtf8(text, cps))
        return {};
    for (char32_t cp : cps) {
        bool mark = (cp >= 0x064B && cp <= 0x0656) || cp == 0x0670 || (cp >= 0xFC5E && cp <= 0xFC63) ||
                    (cp >= 0xFE70 && cp <= 0xFE80 && cp != 0xFE73 && cp != 0xFE74 && cp != 0xFE75 && cp != 0xFE7A &&
                     cp != 0xFE7B);
        if (!mark)
            kept.push_back(cp);
    }
    return encodeUtf8(kept);
}

std::string searchText(const std::string& simple)
{
    std::string plain = cleanArabicAccents(simple);
    std::vector<char32_t> cps;
    if (!decodeUtf8(simple, cps))
        return plain;
    for (char32_t& cp : cps)
        if (cp == 0x0670)
            cp = 0x0627;
    std::string withAlef = cleanArabicAccents(encodeUtf8(cps));
    return withAlef == plain ? plain : plain + " " + withAlef;
}

} // namespace VerseEncoder
