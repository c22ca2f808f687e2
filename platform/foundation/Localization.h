#pragma once
// String tables per language: "<bundle>/<lang>.lproj/<table>.strings" holding lines
//   "key" = "value";
// with escapes \" \\ \n \t \r \uXXXX, comments /* */ and //, UTF-8 or UTF-16 (with a BOM).
// Keys are the English texts. A missing or malformed file is logged and reads as empty.

#include <map>
#include <memory>
#include <optional>
#include <string>

class StringTable {
public:
    // Loads (once per bundle folder, language and table; later calls share the result).
    static std::shared_ptr<const StringTable> load(const std::string& lang,
                                                   const std::string& table = "Localizable",
                                                   const std::string& bundleFolder = {});
    // Parses the text of a strings file; nullopt with "line N: reason" when malformed.
    static std::optional<std::map<std::string, std::string>> parse(const std::string& text,
                                                                   std::string* error = nullptr);
    // Forgets loaded tables (tests, or after the bundle changed).
    static void clearCache();

    // The value for key, else fallback, else the key itself (when fallback is empty).
    std::string localizedString(const std::string& key, const std::string& fallback = {}) const;
    std::optional<std::string> lookup(const std::string& key) const;
    size_t size() const { return entries_.size(); }
    const std::string& language() const { return lang_; }

    StringTable(std::string lang, std::map<std::string, std::string> entries)
        : lang_(std::move(lang)), entries_(std::move(entries)) {}

private:
    std::string lang_;
    std::map<std::string, std::string> entries_;
};

// Looks a key up in the language's table, then in English, then gives fallback (or the key).
std::string localizedString(const std::string& key, const std::string& lang,
                            const std::string& fallback = {}, const std::string& table = "Localizable");
