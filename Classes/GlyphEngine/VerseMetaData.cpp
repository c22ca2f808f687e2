#include "Classes/GlyphEngine/VerseMetaData.h"

#include <ctime>

VerseMetaData::VerseMetaData(int verse, int width) { Init(verse, width); }

void VerseMetaData::Init(int verse, int width) {
    verse_ = verse;
    lastWidthCalculated_ = width;
    lastAccessTime_ = static_cast<long>(std::time(nullptr));
    lines_.clear();
    lines_.reserve(16);
}
