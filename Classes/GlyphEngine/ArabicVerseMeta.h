#pragma once
// A chapter and verse with its glyph-code bytes, read from the content database on first use.

#include <cstdint>
#include <functional>
#include <vector>

struct sqlite3;

class ArabicVerseMeta {
public:
    ArabicVerseMeta(int surah, int verse);   // initForSurah:andVerse:
    // With the bytes already read (a whole chapter's at once).
    ArabicVerseMeta(int surah, int verse, std::vector<uint8_t> data);

    int ThisSurah() const { return ThisSurah_; }
    int ThisVerse() const { return ThisVerse_; }

    // The verse's bytes; read once through the application's content connection. An empty
    // result is asked again on the next call.
    const std::vector<uint8_t>& VerseData();
    // The same from a given content connection (unretained).
    const std::vector<uint8_t>& VerseData(sqlite3* contentDb);

private:
    int ThisSurah_;
    int ThisVerse_;
    std::vector<uint8_t> VerseData_;
};
