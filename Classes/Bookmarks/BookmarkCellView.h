#pragma once
// One entry of the bookmark list, in one of two forms chosen by its record: a verse row
// (verse badge, plain Arabic text, translation, a note / prostration / juz / hizb mark and a
// separator) or a chapter section header (collapse arrow, chapter number and name, count
// badge). It lays itself out whenever its record is set, detects the 0.7 s long press, shows
// the batch-edit selection circle and handles taps on the collapse button and the mark.

#include <memory>

#include "Classes/Core/Bookmark.h"
#include "platform/foundation/NSTimer.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"

class BookmarkCell;
class BookmarksViewController;

class BookmarkCellView : public UIView {
public:
    explicit BookmarkCellView(CGRect frame);
    ~BookmarkCellView() override;

    const std::shared_ptr<Bookmark>& ThisBookmark() const { return ThisBookmark_; }
    // Lays the view out again unless it is the record already shown.
    void setThisBookmark(std::shared_ptr<Bookmark> bookmark);
    BookmarksViewController* viewController() const { return viewController_; }
    void setViewController(BookmarksViewController* controller) { viewController_ = controller; }  // unretained
    // The hosting cell; none for a section header. Unretained: the cell owns this view.
    BookmarkCell* thisCell() const { return thisCell_; }
    void setCell(BookmarkCell* cell) { thisCell_ = cell; }

    void refresh();
    void refreshMeta();
    // Places the translation and the Arabic in the content's width.
    void placeRowTexts();
    void btnCollapsePressed();
    void btnVerseMetaPressed();
    void tapNHoldFired();
    void cancelTapNHold();
    void setSelected(bool selected);
    void setHighlighted(bool highlighted);
    void setEditing(bool editing, bool animated);
    void toggleSelection();
    void refreshSelectionState();

    void layoutSubviews() override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

    bool cancelTouches() const { return cancelTouches_; }

    // Subviews (made on first use of each form).
    std::shared_ptr<UIView> contentView;
    std::shared_ptr<UIButton> btnCollapse, btnVerseCounter, btnVerse, btnVerseMeta;
    std::shared_ptr<UIImageView> imgCollapseArrow, imgSurahLabel, imgEditCircle;
    std::shared_ptr<UILabel> lblSurahNumLabel, lblEngSurahLabel, lblArabicVerse, lblTranslation;
    std::shared_ptr<UIView> viewBorder;

private:
    void layoutHeader();
    void layoutRow();
    void makeHeaderParts();
    void makeRowParts();
    bool hostIsEditing() const;

    std::shared_ptr<Bookmark> ThisBookmark_;
    BookmarksViewController* viewController_ = nullptr;
    BookmarkCell* thisCell_ = nullptr;
    std::shared_ptr<NSTimer> tapNHoldTimer_;
    bool cancelTouches_ = false;
};
