#pragma once
// The model of one hizb-quarter row of the index: where the quarter starts and the text
// of its first verse.

#include <memory>
#include <string>

struct IndexRowMeta {
    std::string Title;               // the opening verse's text
    bool HasAudioInstalled = false;  // the chapter's audio is installed for the current reciter
    int Surah = 1;                   // chapter of the quarter's first verse
    int Verse = 1;                   // that verse
};

using IndexRowMetaPtr = std::shared_ptr<IndexRowMeta>;
