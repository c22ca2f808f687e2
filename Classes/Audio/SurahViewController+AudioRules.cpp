// What plays when a verse ends: verse repeats, verse groups and the chapter rule, and the
// two labels of the repeat bubbles that show them.

#include "Classes/Bookmarks/ScreenSupport.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"

namespace {

NSUserDefaults& ruleDefaults() { return NSUserDefaults::standardUserDefaults(); }
bool playOptionsEnabled() { return ruleDefaults().boolForKey("PlayOptionsEnabled"); }

constexpr int kEndlessRepeat = 5;

}  // namespace

int SurahViewController::verseGroupSize(int index) {
    static constexpr int kSizes[] = {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 15, 20, 30, 50};
    return index >= 0 && index < 14 ? kSizes[index] : 0;
}

void SurahViewController::selectAndMarkVerse(int verse, bool animated, bool force) {
    highlightVerse(verse, true, animated, force);
    highlightForPlayingVerse(verse, false);
}

void SurahViewController::restartVerse(int verse) {
    selectAndMarkVerse(verse, true, true);
    canResetTime_ = true;
    hasFadedSoundIn_ = false;
    useSmallFade_ = true;
    playNextVerseForSelectedVerse(verse);
}

void SurahViewController::finishedPlayingVerseMoveToNext() {
    if (!IsInPlayMode_) return;
    const int v = iCurrentPlayingVerse_;
    const int n = ChapterInfo::getVersesFromNumber(iCurrentSurah_);
    if (ayahRepeatBubbleCounter_ == kEndlessRepeat || ayahRepeatCount_++ < ayahRepeatBubbleCounter_) {
        restartVerse(v);
        return;
    }
    ayahRepeatCount_ = 0;
    if (playOptionsEnabled() && playVerseRangeCounter_ != 0) {
        ++playedVerseRange_;
        if (playedVerseRange_ > verseGroupSize(playVerseRangeCounter_) || n < v + 1) {
            if (surahRepeatBubbleCounter_ == 2) {
                playedVerseRange_ = 0;
                restartVerse(startedPlayingFromVerse_);
            } else {
                // Stop, also under the next-chapter rule, which a group never combines with:
                // doing nothing would leave play mode on with nothing advancing.
                stopIfPlaying();
            }
            setCorrectSurahRepeatButton();
            return;
        }
    }
    setCorrectSurahRepeatButton();
    if (v + 1 <= n) {
        selectAndMarkVerse(v + 1, true, false);
        playNextVerseForSelectedVerse(v + 1);
        iCurrentPlayingVerse_ = v + 1;
        return;
    }
    switch (surahRepeatBubbleCounter_) {
        case 2:
            playNextVerseForSelectedVerse(-1);
            if (IsInPlayMode_) selectAndMarkVerse(iCurrentPlayingVerse_, true, false);
            break;
        case 1:
            stopPlaying(false, false);
            iCurrentPlayingVerse_ = selectedVerse_ = -1;
            globalShouldStartPlaying_ = true;
            showNextSurah();
            break;
        default:
            stopPlaying();
            break;
    }
}

void SurahViewController::setCorrectSurahRepeatButton() {
    setCorrectAyahRepeatButton();
    if (!btnSurahRepeatBubble) return;
    const int size = playVerseRangeCounter_ >= 1 && playVerseRangeCounter_ <= 13 ? verseGroupSize(playVerseRangeCounter_) : 0;
    const int d = size - playedVerseRange_;
    std::string title;
    if (playOptionsEnabled() && d >= 0 && ruleDefaults().integerForKey("PlayVerseRange") != 0) {
        if (d > 2) {
            title = LumenoSDKAppDelegate::IsLanguageArabic()
                        ? stringWithFormat("%@ %@ %@", screen_support::tr("Play the next"),
                                           ChapterInfo::getArabicNumbersFrom(stringWithFormat("%i", d)), screen_support::tr("playverses"))
                        : stringWithFormat("%@ %i %@", screen_support::tr("Play the next"), d, screen_support::tr("ayas"));
        } else if (d == 2) {
            title = screen_support::tr("Play the next 2 verses");
        } else if (d == 1) {
            title = screen_support::tr("Play the next 1 aya");
        } else {
            title = screen_support::tr("Playing last aya");
        }
    } else if (surahRepeatBubbleCounter_ == 2) {
        title = screen_support::tr("Repeat current surah");
    } else if (surahRepeatBubbleCounter_ == 1) {
        title = screen_support::tr("Play surah by surah");
    } else if (surahRepeatBubbleCounter_ == 0) {
        title = screen_support::tr("Stop at end of surah");
    } else {
        return;
    }
    btnSurahRepeatBubble->setTitle(title, UIControlStateNormal);
    btnSurahRepeatBubble->setTitle(title, UIControlStateHighlighted);
}

void SurahViewController::setCorrectAyahRepeatButton() {
    if (!lblAyahRepeatCount) return;
    if (ayahRepeatBubbleCounter_ == kEndlessRepeat) {
        lblAyahRepeatCount->setText("\u221E");
        return;
    }
    const std::string count = stringWithFormat("%i", ayahRepeatBubbleCounter_ + 1);
    lblAyahRepeatCount->setText(LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(count) : count);
}

void SurahViewController::ayahRepeatDidChange() {
    ayahRepeatBubbleCounter_ = static_cast<int>(ruleDefaults().integerForKey("AyahRepeatCounter"));
    setCorrectAyahRepeatButton();
}

void SurahViewController::surahRepeatDidChange() {
    surahRepeatBubbleCounter_ = static_cast<int>(ruleDefaults().integerForKey("SurahRepeatCounter"));
    setCorrectSurahRepeatButton();
}

void SurahViewController::playVerseDidChange() {
    playVerseRangeCounter_ = static_cast<int>(ruleDefaults().integerForKey("PlayVerseRange"));
    playedVerseRange_ = 0;
    setCorrectSurahRepeatButton();
}
