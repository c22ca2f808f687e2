// The timing formula's shape: durations from letters and pace, chapters split into their
// parts with each verse's start, and the clip numbering of chapters 1 and 9.
#include "tools/recitations/RecitationTiming.h"

#include <gtest/gtest.h>

using namespace RecitationTiming;

TEST(RecitationTiming, OnlyArabicLettersCountTowardsADuration)
{
    const struct {
        const char* text;
        int letters;
    } cases[] = {
        {"", 0},
        {"بِسْمِ ٱللَّهِ", 7},                  // marks and the space do not count; alef wasla does
        {"قُلْ هُوَ ٱللَّهُ أَحَدٌ", 11},
        {"ـــ", 0},                              // tatweel is no letter
        {"abc 123", 0},
        {"\xD9", 0},                             // a cut UTF-8 sequence is skipped
    };
    for (const auto& c : cases)
        EXPECT_EQ(letterCount(c.text), c.letters) << c.text;
}

TEST(RecitationTiming, LongerTextsAndSlowerVoicesLastMoreWholeFrames)
{
    const Voice brisk{0, "ar", 50, 0.9}, slow{0, "ar", 50, 1.2};
    const std::string shortText = "ٱللَّهُ ٱلصَّمَدُ", longText = "وَلَمْ يَكُن لَّهُۥ كُفُوًا أَحَدٌۢ";
    EXPECT_LT(verseFrames(shortText, brisk), verseFrames(longText, brisk));
    EXPECT_LT(verseFrames(shortText, brisk), verseFrames(shortText, slow));
    EXPECT_GT(verseFrames("", brisk), 0) << "even an empty text gets its lead";
    EXPECT_EQ(kFrameBytes, 144);
    EXPECT_DOUBLE_EQ(framesToSeconds(1000), 36.0);
}

TEST(RecitationTiming, EveryFolderHasItsOwnVoice)
{
    ASSERT_EQ(folders(), (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 8}));
    for (size_t i = 0; i < folders().size(); ++i)
        for (size_t j = i + 1; j < folders().size(); ++j) {
            const Voice &a = voiceForFolder(folders()[i]), &b = voiceForFolder(folders()[j]);
            EXPECT_TRUE(std::string(a.name) != b.name || a.pitch != b.pitch || a.pace != b.pace);
        }
    EXPECT_EQ(voiceForFolder(1).folder, 0) << "a folder without recitations speaks with folder 0's voice";
}

TEST(RecitationTiming, ChaptersSplitIntoTheirPartsContiguouslyWithStartsWithinEachPart)
{
    ChapterText chapter{2, {}, "بِسْمِ ٱللَّهِ ٱلرَّحْمَٰنِ ٱلرَّحِيمِ"};
    for (int v = 0; v < 20; ++v) {
        std::string text;
        for (int w = 0; w <= v * 5 % 11; ++w)
            text += "كَلِمَةٌ ";
        chapter.verses.push_back(text);
    }
    const Voice& voice = voiceForFolder(3);
    for (int parts : {1, 3, 7, 21, 40}) {
        const auto layout = layoutChapter(chapter, voice, parts);
        ASSERT_EQ(layout.size(), 21u);
        EXPECT_EQ(layout.front().verse, 0) << "the invocation opens the chapter";
        EXPECT_EQ(layout.back().part, std::min(parts, 21));
        long long expectedStart = 0;
        for (size_t i = 0; i < layout.size(); ++i) {
            if (i > 0 && layout[i].part != layout[i - 1].part) {
                EXPECT_EQ(layout[i].part, layout[i - 1].part + 1) << "no empty part";
                expectedStart = 0;
            }
            EXPECT_EQ(layout[i].startFrame, expectedStart) << "parts " << parts << " verse " << layout[i].verse;
            EXPECT_EQ(layout[i].frames, verseFrames(layout[i].text, voice));
            expectedStart += layout[i].frames;
        }
    }
}

TEST(RecitationTiming, ChaptersOneAndNineHaveNoInvocationAndShiftTheirClipNumbers)
{
    const ChapterText fatiha{1, {"a", "b", "c"}, "a"};
    const auto layout = layoutChapter(fatiha, voiceForFolder(0), 1);
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_EQ(layout.front().verse, 1);

    const auto shifted = verseClips(9, 3);
    ASSERT_EQ(shifted.size(), 3u);
    EXPECT_EQ(shifted[0].number, 0);
    EXPECT_EQ(shifted[0].verse, 1);
    EXPECT_EQ(shifted[2].number, 2);
    EXPECT_EQ(shifted[2].verse, 3);

    const auto plain = verseClips(112, 4);
    ASSERT_EQ(plain.size(), 5u);
    EXPECT_EQ(plain[0].verse, 0);
    EXPECT_EQ(plain[4].number, 4);

    EXPECT_EQ(partMemberName(2, 7), "002-07.mp3");
    EXPECT_EQ(partMemberName(2, 40), "002-40.mp3");
    EXPECT_EQ(clipMemberName(2, 286), "002286.mp3");
    EXPECT_EQ(clipMemberName(112, 0), "112000.mp3");
}
