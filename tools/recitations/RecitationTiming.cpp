#include "tools/recitations/RecitationTiming.h"

#include "tools/recitations/ChapterArchive.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace RecitationTiming {

namespace {

// Folder 7 holds reciters 1 and 7. Paces spread the reciters between brisk and slow.
const Voice kVoices[] = {
    {0, "ar+m1", 50, 1.00}, {2, "ar+m2", 42, 1.08}, {3, "ar+m3", 56, 0.94}, {4, "ar+m4", 46, 1.04},
    {5, "ar+m5", 60, 0.92}, {6, "ar+m6", 38, 1.12}, {7, "ar+m7", 32, 1.22}, {8, "ar", 52, 0.98},
};

// Seconds before and after the speech, and per letter, at pace 1.
constexpr double kLeadSeconds = 0.6;
constexpr double kSecondsPerLetter = 0.16;

// Decodes one UTF-8 code point; malformed bytes count as one unknown point.
char32_t nextCodePoint(const std::string& s, size_t& i)
{
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    i += extra + 1;
    return cp;
}

}  // namespace

const Voice& voiceForFolder(int folder)
{
    for (const Voice& v : kVoices)
        if (v.folder == folder)
            return v;
    return kVoices[0];
}

const std::vector<int>& folders()
{
    static const std::vector<int> all = [] {
        std::vector<int> f;
        for (const Voice& v : kVoices)
            f.push_back(v.folder);
        return f;
    }();
    return all;
}

int letterCount(const std::string& text)
{
    int letters = 0;
    for (size_t i = 0; i < text.size();) {
        char32_t cp = nextCodePoint(text, i);
        if ((cp >= 0x0621 && cp <= 0x064A && cp != 0x0640) || (cp >= 0x0671 && cp <= 0x06D3))
            ++letters;
    }
    return letters;
}

int verseFrames(const std::string& text, const Voice& voice)
{
    double seconds = voice.pace * (kLeadSeconds + kSecondsPerLetter * letterCount(text));
    return static_cast<int>(std::ceil(seconds * kSampleRate / kSamplesPerFrame));
}

bool hasInvocationRow(int surah) { return surah != 1 && surah != 9; }

std::vector<RecitedVerse> layoutChapter(const ChapterText& chapter, const Voice& voice, int parts)
{
    std::vector<RecitedVerse> out;
    if (hasInvocationRow(chapter.surah))
        out.push_back({0, chapter.invocation});
    for (size_t v = 0; v < chapter.verses.size(); ++v)
        out.push_back({static_cast<int>(v + 1), chapter.verses[v]});
    long long total = 0;
    for (auto& r : out) {
        r.frames = verseFrames(r.text, voice);
        total += r.frames;
    }
    const int n = static_cast<int>(out.size());
    parts = std::clamp(parts, 1, std::max(1, n));
    // Part k begins at the first verse whose start reaches k/parts of the chapter, kept so
    // that every part holds at least one verse.
    std::vector<int> firstOfPart(parts + 1, n);
    firstOfPart[0] = 0;
    long long start = 0;
    int index = 0;
    for (int k = 1; k < parts; ++k) {
        const long long mark = total * k / parts;
        while (index < n && start < mark)
            start += out[index++].frames;
        firstOfPart[k] = std::clamp(index, firstOfPart[k - 1] + 1, n - (parts - k));
    }
    for (int k = 0; k < parts; ++k) {
        long long inPart = 0;
        for (int i = firstOfPart[k]; i < firstOfPart[k + 1]; ++i) {
            out[i].part = k + 1;
            out[i].startFrame = inPart;
            inPart += out[i].frames;
        }
    }
    return out;
}

std::vector<Clip> verseClips(int surah, int verseCount)
{
    std::vector<Clip> clips;
    if (hasInvocationRow(surah)) {
        for (int v = 0; v <= verseCount; ++v)
            clips.push_back({v, v});
    } else {
        for (int v = 1; v <= verseCount; ++v)
            clips.push_back({v - 1, v});
    }
    return clips;
}

std::string partMemberName(int surah, int part)
{
    char name[32];
    std::snprintf(name, sizeof name, "%03d-%02d.mp3", surah, part);
    return name;
}

std::string clipMemberName(int surah, int clip)
{
    char name[32];
    std::snprintf(name, sizeof name, "%03d%03d.mp3", surah, clip);
    return name;
}

long long perVerseArchiveSize(const ChapterText& chapter, const Voice& voice)
{
    std::vector<long long> sizes;
    for (const Clip& clip : verseClips(chapter.surah, static_cast<int>(chapter.verses.size()))) {
        const std::string& text = clip.verse == 0 ? chapter.invocation : chapter.verses[clip.verse - 1];
        sizes.push_back(static_cast<long long>(verseFrames(text, voice)) * kFrameBytes);
    }
    return ChapterArchive::encodedSize(sizes);
}

}  // namespace RecitationTiming
