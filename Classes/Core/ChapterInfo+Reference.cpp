// Reference answers about chapters, verses, juz, hizb quarters and prostrations.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Core/QuranReferenceTables.h"

#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtils.h"

#include <algorithm>

namespace {

const char* const kNames[115] = {
    "",
    "Al-Fatiha",
    "Al-Baqara",
    "Aal-e-Imran",
    "An-Nisa",
    "Al-Maeda",
    "Al-Anaam",
    "Al-Araf",
    "Al-Anfal",
    "At-Taubah",
    "Yunus",
    "Hud",
    "Yusuf",
    "Ar-Rad",
    "Ibrahim",
    "Al-Hijr",
    "An-Nahl",
    "Al-Isra",
    "Al-Kahf",
    "Maryam",
    "Taha",
    "Al-Anbiya",
    "Al-Hajj",
    "Al-Mumenoon",
    "An-Noor",
    "Al-Furqan",
    "Ash-Shuara",
    "An-Naml",
    "Al-Qasas",
    "Al-Ankaboot",
    "Ar-Room",
    "Luqman",
    "As-Sajda",
    "Al-Ahzab",
    "Saba",
    "Fatir",
    "Ya Seen",
    "As-Saaffat",
    "Sad",
    "Az-Zumar",
    "Ghafir",
    "Fussilat",
    "Ash-Shura",
    "Az-Zukhruf",
    "Ad-Dukhan",
    "Al-Jathiya",
    "Al-Ahqaf",
    "Muhammad",
    "Al-Fath",
    "Al-Hujraat",
    "Qaf",
    "Adh-Dhariyat",
    "At-tur",
    "An-Najm",
    "Al-Qamar",
    "Al-Rahman",
    "Al-Waqia",
    "Al-Hadid",
    "Al-Mujadila",
    "Al-Hashr",
    "Al-Mumtahina",
    "As-Saff",
    "Al-Jumua",
    "Al-Munafiqoon",
    "At-Taghabun",
    "At-Talaq",
    "At-Tahrim",
    "Al-Mulk",
    "Al-Qalam",
    "Al-Haaqqa",
    "Al-Maarij",
    "Nooh",
    "Al-Jinn",
    "Al-Muzzammil",
    "Al-Muddathir",
    "Al-Qiyama",
    "Al-Insan",
    "Al-Mursalat",
    "An-Naba",
    "An-Naziat",
    "Abasa",
    "At-Takwir",
    "Al-Infitar",
    "Al-Mutaffifin",
    "Al-Inshiqaq",
    "Al-Burooj",
    "At-Tariq",
    "Al-Ala",
    "Al-Ghashiya",
    "Al-Fajr",
    "Al-Balad",
    "Ash-Shams",
    "Al-Lail",
    "Ad-Dhuha",
    "Al-Inshirah",
    "At-Tin",
    "Al-Alaq",
    "Al-Qadr",
    "Al-Bayyina",
    "Al-Zalzala",
    "Al-Adiyat",
    "Al-Qaria",
    "At-Takathur",
    "Al-Asr",
    "Al-Humaza",
    "Al-fil",
    "Quraish",
    "Al-Maun",
    "Al-Kauther",
    "Al-Kafiroon",
    "An-Nasr",
    "Al-Masadd",
    "Al-Ikhlas",
    "Al-Falaq",
    "An-Nas",
};

const char* const kMeanings[115] = {
    "",
    "The Opening",
    "The Cow",
    "The Family of Imran",
    "The Women",
    "The Table Spread",
    "The Cattle",
    "The Heights",
    "Spoils of War",
    "Repentance",
    "Jonah",
    "Hud",
    "Joseph",
    "The Thunder",
    "Abraham",
    "Rock City",
    "The Bee",
    "The Night Journey",
    "The Cave",
    "Mary",
    "Taha",
    "The Prophets",
    "The Pilgrimage",
    "The Believers",
    "The Light",
    "The Standard",
    "The Poets",
    "The Ant",
    "The Story",
    "The Spider",
    "The Romans",
    "Luqman",
    "The Prostration",
    "The Coalition",
    "Saba",
    "Originator",
    "Ya Seen",
    "Those Who set the Ranks",
    "Sad",
    "The Troops",
    "The Forgiver",
    "Explained in Detail",
    "Council, Consultation",
    "Ornaments of Gold",
    "The Smoke",
    "Crouching",
    "The Wind-curved Sandhills",
    "Muhammad",
    "The Victory",
    "The Private Apartments",
    "Qaf",
    "The Winnowing Winds",
    "Mount Sinai",
    "The Star",
    "The Moon",
    "The Beneficient",
    "The Inevitable",
    "The Iron",
    "She that Disputes",
    "Exile",
    "She that is to be Examined",
    "The Ranks",
    "Friday",
    "The Hypocrites",
    "Mutual Disillusion",
    "Divorce",
    "Banning",
    "The Sovereignty",
    "The Pen",
    "The Reality",
    "The Ascending Stairways",
    "Nooh",
    "The Jinn",
    "The Enshrouded one",
    "The Cloaked One",
    "The Rising of the Dead",
    "The Man",
    "The Emissaries",
    "The Tidings",
    "Those who Drag Forth",
    "He Frowned",
    "The Overthrowing",
    "The Cleaving",
    "Defrauding",
    "The Sundering",
    "The Mansions of the Stars",
    "The Morning Star",
    "The Most High",
    "The Overwhelming",
    "The Dawn",
    "The City",
    "The Sun",
    "The Night",
    "The Morning Hours",
    "Solace",
    "The Fig",
    "The Clot",
    "The Power",
    "The Clear Proof",
    "The Earthquake",
    "The Chargers",
    "The Calamity",
    "Competition",
    "The Declining day",
    "The Traducer",
    "The Elephant",
    "Quraish",
    "Alms Giving",
    "Abundance",
    "The Disbelievers",
    "The Succour",
    "The Flame",
    "Absoluteness",
    "The Day Break",
    "The Mankind",
};

struct AltName {
    int surah;
    const char* name;
    const char* meaning;
};
const AltName kAltNames[] = {
    {9, "Bara'at", "Repentance of Immunity"},
    {17, "Bani Isra'il", "Children of Israel"},
    {35, "Al-Malaika", "The Owner of the Worlds"},
    {40, "Al-Mumen", "The Believer"},
    {41, "Ha-Mim", "The letters Ha-Mim"},
    {47, "Al-Qital", "The Fighting"},
    {68, "Nun", "The letter Nun"},
    {76, "Dahr", "Time"},
    {83, "Tatfif", "Fraudulant"},
    {96, "Iqra", "Read or Proclaim"},
    {99, "Zilzal", "The Convulsion, The Earthquake"},
    {111, "Lahab", "The [Father of] Flame"},
};

const AltName* altName(int surah) {
    for (const AltName& entry : kAltNames)
        if (entry.surah == surah) return &entry;
    return nullptr;
}

const int kMadinaChapters[] = {2,  3,  4,  5,  8,  9,  22, 24, 33, 47, 48, 49, 57,
                               58, 59, 60, 61, 62, 63, 64, 65, 66, 76, 98, 99, 110};

struct Remark {
    int surah;
    const char* key;
    const char* fallback;  // null: same as the key
};
const Remark kRemarks[] = {
    {2, "except 281 from Mina at the time of the last last Hajj", nullptr},
    {5, "except 3, from Arafat on last Hajj", nullptr},
    {6, "except 20, 23, 91, 93, 114, 151, 152, 153, from Madina", nullptr},
    {7, "except 163-170, from Madina", nullptr},
    {8, "except 30-36 from Makkah", nullptr},
    {9, "except last two verses Makkah", nullptr},
    {10, "except 40, 94, 95, 96 from Madina", "except 40, 94, 95, 96, from Madina"},
    {11, "except 12, 17, 114, from Madina", nullptr},
    {12, "except 1, 2, 3, 7, from Madina", nullptr},
    {14, "except 28, 29, from Madina", nullptr},
    {15, "except 87, from Madina", "except 87 131, from Madina"},
    {16, "except last three verses 126-128, from Madina", nullptr},
    {17, "except 26, 32, 33, 57, 73-80 from Madina", "except 26, 32, 33, 57, 73-80, from Madina"},
    {18, "except 28, 83-101, from Madina", nullptr},
    {19, "except 58, 71, from Madina", nullptr},
    {20, "except 130, 131, from Madina", nullptr},
    {22, "except 52-55, from between Makkah and Madina", nullptr},
    {25, "except 68, 69, 70, from Madina", nullptr},
    {26, "except 197, 224-end, from Madina and 85 from Juhfah at the time of the last Hijrah",
     "except 197, 224-end, from Madina and 85 from Juhfah at the time of the Hijrah"},
    {28, "except 52-55, from Madina", nullptr},
    {29, "except 1-11, from Madina", nullptr},
    {30, "except 17, from Madina", nullptr},
    {31, "except 27-29, from Madina", nullptr},
    {32, "except 16-20, from Madina", nullptr},
    {36, "except 45, from Madina", nullptr},
    {40, "except 56, 57, from Madina", nullptr},
    {42, "except 23, 24, 25, 27, from Madina", nullptr},
    {43, "except 54, from Madina", nullptr},
    {45, "except 14, from Madina", nullptr},
    {46, "except 10, 15, 35, from Madina", nullptr},
    {47, "except 13, from during the Hijrah", nullptr},
    {48, "when returning from Hudaybiyyah", nullptr},
    {50, "except 38, from Madina", nullptr},
    {53, "except 32, from Madina", nullptr},
    {54, "except 44, 45, 46, from Madina", nullptr},
    {56, "except 81, 82, from Madina", nullptr},
    {68, "except 17-33, 48-50, from Madina", nullptr},
    {73, "except 10-11, 20, from Madina", nullptr},
    {77, "except 48, from Madina", nullptr},
    {83, "last from Makkah", nullptr},
    {107, "only 1-3; rest from Madina", nullptr},
    {110, "last one from Mina on last Hajj", nullptr},
};

// Name-image offsets in points, for the chapter-name artwork; 13 unless listed.
int nameOffset(int surah) {
    switch (surah) {
        case 1:
            return 7;
        case 2:
            return 10;
        case 11:
            return 21;
        case 51:
            return 4;
        case 114:
            return 9;
        default:
            return 13;
    }
}

bool validChapter(int surah) { return surah >= 1 && surah <= kQuranChapterCount; }

bool isStart(const QuranVerseRef& ref, int surah, int verse) { return ref.surah == surah && ref.verse == verse; }

bool atOrBefore(const QuranVerseRef& ref, int surah, int verse) {
    return ref.surah < surah || (ref.surah == surah && ref.verse <= verse);
}

std::string verseLabel(const QuranVerseRef& ref) {
    return ChapterInfo::getThreeDigitNumberFromInt(ref.surah) + ":" + std::to_string(ref.verse);
}

}  // namespace

bool ChapterInfo::isTextRTL(const std::string& text) {
    for (char32_t c : str::toUtf32(text)) {
        if (c <= 32) continue;
        return (c >= 0x0590 && c <= 0x05F0) || (c >= 0x0600 && c <= 0x06FF) || (c >= 0x0750 && c <= 0x077F);
    }
    return false;
}

std::string ChapterInfo::getArabicNumbersFrom(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c >= '0' && c <= '9') out += stringWithFormat("%C", static_cast<char32_t>(0x0660 + (c - '0')));
    return out;
}

std::string ChapterInfo::getNameFromNumber(int surah) {
    const char* name = kNames[validChapter(surah) ? surah : 1];
    return Language::get(name, name);
}

std::string ChapterInfo::getMeaningFromNumber(int surah) { return validChapter(surah) ? kMeanings[surah] : ""; }

std::string ChapterInfo::getAltNameFromNumber(int surah) {
    const AltName* entry = altName(surah);
    return entry ? Language::get(entry->name, entry->name) : "";
}

std::string ChapterInfo::getAltMeaningFromNumber(int surah) {
    const AltName* entry = altName(surah);
    return entry ? Language::get(entry->meaning, entry->meaning) : "";
}

std::string ChapterInfo::getCityFromNumber(int surah) {
    bool madina = std::find(std::begin(kMadinaChapters), std::end(kMadinaChapters), surah) != std::end(kMadinaChapters);
    return madina ? Language::get("Madina", "Madina") : Language::get("Makkah", "Makkah");
}

std::optional<std::string> ChapterInfo::getExtraChronoFromNumber(int surah) {
    for (const Remark& remark : kRemarks)
        if (remark.surah == surah) return Language::get(remark.key, remark.fallback ? remark.fallback : remark.key);
    return std::nullopt;
}

int ChapterInfo::getChronoOrderForChapter(int surah) { return validChapter(surah) ? kQuranRevelationOrder[surah] : 0; }

int ChapterInfo::getVersesFromNumber(int surah) { return validChapter(surah) ? kQuranVerseCounts[surah] : 0; }

int ChapterInfo::getSurahNameOffsetForAlignment(int surah) { return validChapter(surah) ? nameOffset(surah) : 0; }

bool ChapterInfo::isSajda(int surah, int verse) {
    return std::any_of(std::begin(kQuranSajdaVerses), std::end(kQuranSajdaVerses),
                       [&](const QuranVerseRef& ref) { return isStart(ref, surah, verse); });
}

bool ChapterInfo::isHizb(int surah, int verse) {
    return std::any_of(kQuranHizbQuarterStarts + 1, kQuranHizbQuarterStarts + kQuranHizbQuarterCount + 1,
                       [&](const QuranVerseRef& ref) { return isStart(ref, surah, verse); });
}

bool ChapterInfo::isJuz(int surah, int verse) {
    return std::any_of(kQuranJuzStarts + 1, kQuranJuzStarts + kQuranJuzCount + 1,
                       [&](const QuranVerseRef& ref) { return isStart(ref, surah, verse); });
}

int ChapterInfo::juzFrom(int surah, int verse) {
    for (int juz = 2; juz <= kQuranJuzCount; ++juz)
        if (isStart(kQuranJuzStarts[juz], surah, verse)) return juz;
    return 1;
}

int ChapterInfo::nearestjuzFrom(int surah, int verse) {
    if (!validChapter(surah)) return kQuranJuzCount;
    verse = std::clamp(verse, 1, kQuranVerseCounts[surah]);
    int juz = 1;
    for (int j = 2; j <= kQuranJuzCount && atOrBefore(kQuranJuzStarts[j], surah, verse); ++j) juz = j;
    return juz;
}

void ChapterInfo::setSurahVerseForJuz(int* surah, int* verse, int juz) {
    QuranVerseRef start = (juz >= 1 && juz <= kQuranJuzCount) ? kQuranJuzStarts[juz] : QuranVerseRef{1, 1};
    if (surah) *surah = start.surah;
    if (verse) *verse = start.verse;
}

std::string ChapterInfo::getSurahVerseForJuz(int juz) {
    return verseLabel((juz >= 1 && juz <= kQuranJuzCount) ? kQuranJuzStarts[juz] : QuranVerseRef{1, 1});
}

int ChapterInfo::getHizbForJuz(int juz) { return (juz >= 2 && juz <= kQuranJuzCount) ? 8 * (juz - 1) + 1 : 1; }

void ChapterInfo::setSurahVerseForHizb(int* surah, int* verse, int hizb) {
    QuranVerseRef start =
        (hizb >= 1 && hizb <= kQuranHizbQuarterCount) ? kQuranHizbQuarterStarts[hizb] : QuranVerseRef{1, 1};
    if (surah) *surah = start.surah;
    if (verse) *verse = start.verse;
}

std::string ChapterInfo::getSurahVerseForHizb(int hizb) {
    return verseLabel((hizb >= 1 && hizb <= kQuranHizbQuarterCount) ? kQuranHizbQuarterStarts[hizb]
                                                                    : QuranVerseRef{1, 1});
}

std::string ChapterInfo::getTwoDigitNumberFromInt(int n) { return stringWithFormat(n <= 9 ? "0%i" : "%i", n); }

std::string ChapterInfo::getThreeDigitNumberFromInt(int n) {
    return stringWithFormat(n <= 9 ? "00%i" : (n <= 99 ? "0%i" : "%i"), n);
}
