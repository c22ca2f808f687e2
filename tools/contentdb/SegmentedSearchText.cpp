#include "tools/contentdb/SegmentedSearchText.h"

#include "platform/foundation/CJKSegmentation.h"

namespace SegmentedSearchText {

ChapterTexts forTranslation(int translation, const ChapterTexts& texts)
{
    if (!cjk::segmentsSearchText(translation))
        return texts;
    ChapterTexts out = texts;
    for (auto& chapter : out)
        for (auto& verse : chapter)
            verse = cjk::spaceOut(verse);
    return out;
}

} // namespace SegmentedSearchText
