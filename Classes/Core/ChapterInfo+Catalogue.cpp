// Translation and reciter catalogues.

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"

namespace {

struct TranslationEntry {
    const char* abbreviation;
    const char* shortKey;
    const char* shortFallback;
    const char* fullKey;
    const char* fullFallback;
};

// Ids 0 to 38; the translators' names are those of the texts the content database carries
// or would carry for the id.
const TranslationEntry kTranslations[] = {
    {"AR", "Arabic", "Arabic", "No Translation", "No Translation"},
    {"YA", "Yusuf Ali", "En: Yusuf Ali", "English: Yusuf Ali", "English: Yusuf Ali"},
    {"MP", "Pickthall", "En: Pickthall", "English: Pickthall", "English: Pickthall"},
    {"SI", "Saheeh", "En: Saheeh", "English: Saheeh International", "English: Saheeh International"},
    {"SH", "Shakir", "En: Shakir", "English: Shakir", "English: Shakir"},
    {"IN", "Indonesian", "Indonesian", "Indonesian", "Indonesian"},
    {"MS", "Melayu", "Melayu", "Melayu", "Melayu"},
    {"DE", "German", "German", "German: Bubenheim", "German: Bubenheim"},
    {"FR", "French", "French", "French: Hamidullah", "French: Hamidullah"},
    {"ES", "Spanish", "Spanish", "Spanish: Isa Garcia", "Spanish: Isa Garcia"},
    {"Tr", "Trans.", "Trans.", "Transliteration", "Transliteration"},
    {"TR", "Turkish", "Turkish", "Turkish: Diyanet", "Turkish: Diyanet"},
    {"MK", "Muhsin Khan", "Muhsin Khan", "English: Muhsin Khan", "English: Muhsin Khan"},
    {"RU", "Russian", "Russian", "Russian: Kuliev", "Russian: Kuliev"},
    {"BS", "Bosnian", "Bosnian", "Bosnian: Korkut", "Bosnian: Korkut"},
    {"AM", "Maududi", "Maududi", "Urdu: Maududi", "Urdu: Maududi"},
    {"FA", "Farsi", "Farsi", "Farsi: Ansarian", "Farsi: Ansarian"},
    {"DU", "Dutch", "Dutch", "Dutch", "Dutch"},
    {"IT", "Italian", "Italian", "Italian: Piccardo", "Italian: Piccardo"},
    {"AL", "Albanian", "Albanian", "Albanian: Efendi Nahi", "Albanian: Efendi Nahi"},
    {"RO", "Romanian", "Romanian", "Romanian: Grigore", "Romanian: Grigore"},
    {"JA", "Japanese", "Japanese", "Japanese", "Japanese"},
    {"BA", "Bangla", "Bangla", "Bangla: Muhiuddin Khan", "Bangla: Muhiuddin Khan"},
    {"AZ", "Azerbaijani", "Azerbaijani", "Azerbaijani: Mammadaliyev", "Azerbaijani: Mammadaliyev"},
    {"ZH", "Chinese", "Chinese", "Chinese: Ma Jian (Traditional)", "Chinese: Ma Jian (Traditional)"},
    {"BR", "Bulgarian", "Bulgarian", "Bulgarian: Theophanov", "Bulgarian: Theophanov"},
    {"HI", "Hindi", "Hindi", "Hindi: Farooq Khan and Nadwi", "Hindi: Farooq Khan & Nadwi"},
    {"AM", "Al-Muyassar", "Al-Muyassar", "Arabic: Tafsir Al-Muyassar", "Arabic: Tafsir Al-Muyassar"},
    {"KO", "Korean", "Korean", "Korean", "Korean"},
    {"CZ", "Czech", "Czech", "Czech: Hrbek", "Czech: Hrbek"},
    {"SV", "Swedish", "Swedish", "Swedish: Bernstrom", "Swedish: Bernstrom"},
    {"TH", "Thai", "Thai", "Thai", "Thai"},
    {"PO", "Polish", "Polish", "Polish: Bielawskiego", "Polish: Bielawskiego"},
    {"PT", "Portuguese", "Portuguese", "Portuguese: El-Hayek", "Portuguese: El-Hayek"},
    {"NO", "Norwegian", "Norwegian", "Norwegian: Einar Berg", "Norwegian: Einar Berg"},
    {"UZ", "Uzbek", "Uzbek", "Uzbek: Muhammad Sodiq", "Uzbek: Muhammad Sodiq"},
    {"FA", "Farsi", "Farsi", "Farsi: Makarem Shirazi", "Farsi: Makarem Shirazi"},
    {"ES", "Spanish", "Spanish", "Spanish: Cortes", "Spanish: Cortes"},
    {"JL", "Jalalayn", "Jalalayn", "Arabic: Tafsir Al-Jalalayn", "Arabic: Tafsir Al-Jalalayn"},
};
constexpr int kNotes = 1000;

const TranslationEntry* translationEntry(int trans) {
    if (trans >= 0 && trans <= 38) return &kTranslations[trans];
    return nullptr;
}

struct ReciterEntry {
    const char* shortName;
    const char* fullName;
};

// Codes 0 to 8; 7 is the high-quality recording of 1 and shares its labels.
const ReciterEntry kReciters[] = {
    {"Alafasy", "Mishary Rashid Alafasy"},
    {"Abdul Basit", "Abdul Basit Abdus Samad"},
    {"Sudais & Shuraim", "Abdul Rahman Al-Sudais & Saud Al-Shuraim"},
    {"Al-Ghamdi", "Saad Al-Ghamdi"},
    {"Al-Muaiqly", "Maher Al-Muaiqly"},
    {"Al-Shatri", "Abu Bakr Al-Shatri"},
    {"Ar-Rifai", "Hani Ar-Rifai"},
    {"Abdul Basit", "Abdul Basit Abdus Samad"},
    {"Ayyub", "Muhammad Ayyub"},
};

const ReciterEntry& reciterEntry(int reciter) {
    return (reciter >= 1 && reciter <= 8) ? kReciters[reciter] : kReciters[0];
}

// Parts of each chapter's continuous recitation, chapters 1 to 114.
constexpr int kParts[114] = {
    1, 40, 20, 24, 16, 20, 24, 10, 16, 11, 10, 12, 6, 7, 6, 16, 12, 12, 6, 8, 7, 10, 6, 9, 6, 11, 7, 9, 7,
    6, 4,  3,  9,  6,  5,  5,  5,  5,  8,  9,  6,  5, 7, 3, 4,  4,  4,  4, 2, 3, 3,  2, 3, 3, 3,  3, 4, 3,
    3, 2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2, 2, 2, 2,  2,  2,  2, 2, 2, 1,  1, 1, 1, 1,  1, 1, 1,
    1, 1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1, 1, 1, 1,  1,  1,  1, 1, 1, 1,  1, 1, 1, 1,  1,
};

}  // namespace

bool ChapterInfo::isTranslationRTL(int trans) {
    return trans == 0 || trans == 15 || trans == 16 || trans == 27 || trans == 36 || trans == 38;
}

std::vector<int> ChapterInfo::getAvailableTranslations(bool includeNotes) {
    std::vector<int> ids{0};
    if (includeNotes) ids.push_back(kNotes);
    for (int id : {27, 38, 10, 3,  1,  2,  4,  12, 5,  6,  7,  8,  9,  37, 11, 13, 14, 15, 16,
                   36, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 28, 29, 30, 31, 32, 33, 34, 35})
        ids.push_back(id);
    return ids;
}

std::string ChapterInfo::getTranslationAbbrNameForNumber(int trans) {
    if (trans == kNotes) return Language::get("NotesPicker", "NotesPicker");
    const TranslationEntry* entry = translationEntry(trans);
    return entry ? entry->abbreviation : "AR";
}

std::string ChapterInfo::getTranslationNameForNumber(int trans) {
    if (trans == kNotes) return Language::get("NotesPicker", "NotesPicker");
    const TranslationEntry* entry = translationEntry(trans);
    if (!entry) entry = &kTranslations[0];
    return Language::get(entry->shortKey, entry->shortFallback);
}

std::string ChapterInfo::getTranslationFullNameForNumber(int trans) {
    if (trans == kNotes) return Language::get("NotesPicker", "NotesPicker");
    const TranslationEntry* entry = translationEntry(trans);
    if (!entry) entry = &kTranslations[0];
    return Language::get(entry->fullKey, entry->fullFallback);
}

int ChapterInfo::getWebsiteTransCodeFrom(int trans) {
    switch (trans) {
        case 0:
        case kNotes:
            return 0;
        case 2:
        case 3:
        case 4:
        case 8:
        case 9:
            return trans;
        case 5:
            return 10;
        case 6:
            return 11;
        case 7:
            return 12;
        case 10:
            return 6;
        case 11:
            return 18;
        default:
            return 5;
    }
}

std::string ChapterInfo::getReciterShortNameFromNumber(int reciter) {
    const char* name = reciterEntry(reciter).shortName;
    return Language::get(name, name);
}

std::string ChapterInfo::getReciterFullNameFromNumber(int reciter) {
    const char* name = reciterEntry(reciter).fullName;
    return Language::get(name, name);
}

bool ChapterInfo::doesReciterSupportContRecitation(int reciter) { return reciter >= 0 && reciter <= 8; }

int ChapterInfo::getRemoteFolderNumberForReciter(int reciter) {
    if (reciter == 1) return 7;
    return (reciter >= 2 && reciter <= 8) ? reciter : 0;
}

int ChapterInfo::getRemoteReciterHQCode(int reciter) { return reciter == 1 ? 7 : reciter; }

int ChapterInfo::getTotalPartsForChapter(int surah) { return (surah >= 1 && surah <= 114) ? kParts[surah - 1] : 0; }
