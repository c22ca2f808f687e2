#include "Classes/GlyphEngine/ArabicVerseMeta.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"

#include <utility>

ArabicVerseMeta::ArabicVerseMeta(int surah, int verse) : ThisSurah_(surah), ThisVerse_(verse) {}

ArabicVerseMeta::ArabicVerseMeta(int surah, int verse, std::vector<uint8_t> data)
    : ThisSurah_(surah), ThisVerse_(verse), VerseData_(std::move(data)) {}

const std::vector<uint8_t>& ArabicVerseMeta::VerseData() {
    if (!VerseData_.empty()) return VerseData_;
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return VerseData(app ? app->dbConnectionStatic() : nullptr);
}

const std::vector<uint8_t>& ArabicVerseMeta::VerseData(sqlite3* contentDb) {
    if (VerseData_.empty() && contentDb) VerseData_ = ChapterInfo::getVerseData(contentDb, ThisSurah_, ThisVerse_);
    return VerseData_;
}
