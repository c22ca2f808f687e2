// The search index text of translations written without spaces between words.
#pragma once

#include "tools/contentdb/QuranSources.h"

namespace SegmentedSearchText {

// The texts to index in the translation's full-text table: segmented for Chinese and
// Japanese, unchanged for the others.
ChapterTexts forTranslation(int translation, const ChapterTexts& texts);

} // namespace SegmentedSearchText
