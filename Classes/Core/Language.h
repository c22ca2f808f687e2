#pragma once
// The interface language: every visible text is looked up here with the English text as key.

#include <string>

class Language {
public:
    Language() = delete;

    // Chooses the string table of a language code ("en", "ar"); a code without a table makes
    // every lookup return its fallback. Stores "PrefLang" and "AppleLanguages".
    static void setLanguage(const std::string& code);
    // The localized text for key, or alter when the current table has none.
    static std::string get(const std::string& key, const std::string& alter);
    static std::string currentLanguage();
    // The main bundle's own text for key in the platform's language (the first of
    // "AppleLanguages", which a change of interface language sets for the next start), the
    // key itself when no table has it.
    static std::string bundleString(const std::string& key);
};
