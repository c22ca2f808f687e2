#pragma once
// One entry of a search result list, in one of two forms chosen by its record: a hit row
// (verse badge, then the plain Arabic text or a one-line snippet of the translation with the
// search word boxed, and a separator) or a chapter section header (collapse button and arrow,
// chapter number and name, hit-count badge). Detects the 0.7 s long press on a hit.
// In supplication mode (the reference lists) the header has no count and no long press.

#include <memory>

#include "Classes/Core/SearchResult.h"
#include "platform/foundation/NSTimer.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"
#include "toolkit/styledtext/TTStyledTextLabel.h"

class SearchViewCell;

// The screen that shows a result list: told when a section header collapses or expands, and
// (outside supplication mode) when a hit is held.
class SearchResultListOwner {
public:
    virtual ~SearchResultListOwner() = default;
    virtual void sectionWithRow(const std::shared_ptr<SearchResult>& section, bool willCollapse) = 0;
    virtual void tapAndHoldRow(SearchViewCell* cell) {}
};

class SearchCellView : public UIView {
public:
    explicit SearchCellView(CGRect frame);
    ~SearchCellView() override;

    const std::shared_ptr<SearchResult>& ThisSearchResult() const { return ThisSearchResult_; }
    // Lays the view out again unless it is the result already shown; none hides the view.
    void setThisSearchResult(std::shared_ptr<SearchResult> result);
    SearchResultListOwner* viewController() const { return viewController_; }
    void setViewController(SearchResultListOwner* controller) { viewController_ = controller; }  // unretained
    // The hosting cell; none for a section header. Unretained: the cell owns this view.
    SearchViewCell* thisCell() const { return thisCell_; }
    void setCell(SearchViewCell* cell) { thisCell_ = cell; }
    bool duaMode() const { return duaMode_; }
    void setDuaMode() { duaMode_ = true; }

    void btnCollapsePressed();
    void tapNHoldFired();
    void cancelTapNHold();
    void setSelected(bool selected);
    void setHighlighted(bool highlighted);

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

    // Parts (made on first use of each form).
    std::shared_ptr<UIView> contentView;
    std::shared_ptr<UIButton> btnCollapse, btnVerseCounter, btnVerse;
    std::shared_ptr<UIImageView> imgCollapseArrow, imgSurahLabel;
    std::shared_ptr<UILabel> lblSurahNumLabel, lblEngSurahLabel, lblArabicVerse, lblTranslation;
    std::shared_ptr<TTStyledTextLabel> lblTranslationHighlighted;
    std::shared_ptr<UIView> viewBorder;

private:
    void makeHeaderParts();
    void layoutHeader();
    void makeRowParts();
    void layoutRow();
    // Hits whose text is shown plain (the Arabic text and right-to-left translations) keep
    // one look whatever the selection.
    bool showsPlainText() const;
    void showSelectionLook(bool on);

    std::shared_ptr<SearchResult> ThisSearchResult_;
    SearchResultListOwner* viewController_ = nullptr;
    SearchViewCell* thisCell_ = nullptr;
    std::shared_ptr<NSTimer> tapNHoldTimer_;
    bool duaMode_ = false;
};
