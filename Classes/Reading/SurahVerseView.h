#pragma once
// One row of the reading table: an Arabic verse drawn by the glyph engine with its
// verse-number column (badge, juz, hizb and prostration marks, note icon), or the verse's
// translation text. Shows selection, playing, bookmark and alternate tints, floats its
// column while scrolled partly out of view and reports a long press to its cell.

#include <memory>

#include "Classes/GlyphEngine/ArabicVerseMeta.h"
#include "Classes/GlyphEngine/VerseCanvas.h"
#include "Classes/Reading/TranslationMeta.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"
#include "toolkit/styledtext/TTStyledTextLabel.h"

class NSTimer;
class SurahViewCell;
class UIScrollView;

class SurahVerseView : public UIView, public VerseCanvasDelegate {
public:
    // State bits of ThisVerseState.
    enum : unsigned { kSelected = 1, kPlaying = 2, kBookmarked = 8, kReflectedSearch = 16 };
    static constexpr double kLongPressSeconds = 0.55;
    static constexpr double kLongPressSlop = 5;
    static constexpr double kColumnWidth = 60;

    // initWithFrame:withCell:forTranslation: — the cell is unretained (it owns the row).
    SurahVerseView(CGRect frame, SurahViewCell* cell, bool forTranslation);
    ~SurahVerseView() override;

    void setArabicMetaData(std::shared_ptr<ArabicVerseMeta> meta);
    void setTranslationMetaData(std::shared_ptr<TranslationMeta> meta);
    const std::shared_ptr<ArabicVerseMeta>& ArabicMetaData() const { return ArabicMetaData_; }
    const std::shared_ptr<TranslationMeta>& TranslationMetaData() const { return TranslationMetaData_; }
    unsigned ThisVerseType() const { return ThisVerseType_; }
    unsigned ThisVerseState() const { return ThisVerseState_; }
    void setThisVerseState(unsigned state) { ThisVerseState_ = state; }
    int iCurrentTranslation() const { return iCurrentTranslation_; }

    void refreshView();
    void updateVerseBG();
    void updateVerseNumberColumn();
    void refreshBookmarked();
    void containedViewDidScroll(UIScrollView* scrollView);
    void forceLoadArabicVerse();
    void updateArabicImage(int verse);
    void translationDidChange();
    void showAyahOptions();

    void setIsSelected(bool on) { setBit(kSelected, on); }
    void setIsPlaying(bool on) { setBit(kPlaying, on); }
    void setIsBookmarked(bool on) { setBit(kBookmarked, on); }
    void setIsReflectedSearch(bool on) { setBit(kReflectedSearch, on); }
    void setIsLastPlaying(bool) {}
    bool isSelected() const { return ThisVerseState_ & kSelected; }
    bool isPlaying() const { return ThisVerseState_ & kPlaying; }
    bool isBookmarked() const { return ThisVerseState_ & kBookmarked; }
    bool isReflectedSearch() const { return ThisVerseState_ & kReflectedSearch; }
    bool isLastPlaying() const { return false; }

    // The coloured-translation switch ("ColoredTranslation"), shared by every row.
    static void checkColoredTranslation();
    static bool coloredTranslation();

    void drawArabicVerseInCanvas(CGContext* context, VerseCanvas* canvas) override;

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

    // Parts, for the options panel, the fast scroller and tests.
    UIView* viewBGVerse() const { return viewBGVerse_.get(); }
    VerseCanvas* arabicVerseCanvas() const { return arabicVerseCanvas_.get(); }
    UIView* viewIconFloat() const { return viewIconFloat_.get(); }
    UIButton* btnAyahNum() const { return btnAyahNum_.get(); }
    UIImageView* imgBookmarkedNote() const { return imgBookmarkedNote_.get(); }
    UIView* viewBorder() const { return viewBorder_.get(); }
    UILabel* lblTranslation() const { return lblTranslation_.get(); }
    TTStyledTextLabel* lblTransliteration() const { return lblTransliteration_.get(); }
    UIButton* btnJuzHizb() const { return btnJuzHizb_.get(); }
    UIButton* btnHizb() const { return btnHizb_.get(); }
    UIButton* btnSajda() const { return btnSajda_.get(); }
    int maxAyahColumnHeight() const { return maxAyahColumnHeight_; }
    SurahViewCell* verseCell() const { return verseCell_; }

private:
    class SurahViewController* controller() const;
    void setBit(unsigned bit, bool on);
    // The verse and chapter of the row's record (0, 0 without one).
    int rowVerse() const;
    int rowSurah() const;
    bool recordIsRTL(const TranslationMeta* meta) const;
    std::shared_ptr<UIButton> makeMarkButton();
    void cancelLongPress();

    bool forTranslationOnly_;
    int iCurrentTranslation_ = 0;
    SurahViewCell* verseCell_;  // unretained: the cell owns this row
    std::shared_ptr<UIView> viewBGVerse_;
    std::shared_ptr<VerseCanvas> arabicVerseCanvas_;
    std::shared_ptr<UIView> viewIconFloat_;
    std::shared_ptr<UIButton> btnAyahNum_;
    std::shared_ptr<UIImageView> imgBookmarkedNote_;
    std::shared_ptr<UIView> viewBorder_;
    std::shared_ptr<UILabel> lblTranslation_;
    std::shared_ptr<TTStyledTextLabel> lblTransliteration_;
    std::shared_ptr<UIButton> btnSajda_, btnJuzHizb_, btnHizb_;
    std::shared_ptr<TranslationMeta> TranslationMetaData_;
    std::shared_ptr<ArabicVerseMeta> ArabicMetaData_;
    int maxAyahColumnHeight_ = 0;
    int maxVersesInSurah_ = 0;
    bool isRefreshing_ = false;
    unsigned ThisVerseType_ = 0;
    unsigned ThisVerseState_ = 0;
    std::shared_ptr<NSTimer> ayahPressedTimer_;
    CGPoint beginLocation_{};
    bool pressTracked_ = false;
};
