// Reads the builder's inputs: the verse texts of quran-json and the division data
// dumped from quran-meta.
#pragma once

#include <string>
#include <vector>

struct VerseRef {
    int surah = 0;
    int verse = 0;
    friend bool operator<(const VerseRef& a, const VerseRef& b)
    {
        return a.surah != b.surah ? a.surah < b.surah : a.verse < b.verse;
    }
    friend bool operator==(const VerseRef& a, const VerseRef& b) = default;
};

struct QuranMeta {
    std::vector<int> verseCounts;     // 114 chapters
    std::vector<int> revelationOrder; // 114 chapters
    std::vector<VerseRef> quarters;   // 240 hizb-quarter starts
    std::vector<VerseRef> juz;        // 30 juz starts
    std::vector<VerseRef> sajda;      // 15 prostration verses

    // The hizb quarter (1-240) that holds a verse.
    int quarterOf(VerseRef ref) const;
};

// texts[surah - 1][verse - 1]
using ChapterTexts = std::vector<std::vector<std::string>>;

namespace QuranSources {

[[nodiscard]] bool readFile(const std::string& path, std::string& out, std::string& error);

// Loads and checks the division data (sizes, order, juz starts on quarter starts).
[[nodiscard]] bool loadMeta(const std::string& path, QuranMeta& out, std::string& error);

// Loads one quran-json file and the string member `field` of each verse; checks every
// chapter against the verse counts of meta and that no text is empty.
[[nodiscard]] bool loadTexts(const std::string& path, const std::string& field, const QuranMeta& meta,
                             ChapterTexts& out, std::string& error);

} // namespace QuranSources
