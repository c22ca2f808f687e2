#pragma once
// Common base of the index's row views (a chapter row or a hizb-quarter row) and what the
// rows ask of the index.

#include <memory>

#include "Classes/Index/IndexRowMeta.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIView.h"

// The index as the rows see it.
class IndexViewCellDelegate {
public:
    virtual ~IndexViewCellDelegate() = default;
    virtual bool isSurahAudioInstalled(int surah) const = 0;
    virtual bool isSurahAudioInstalledForOthers(int surah) const = 0;
    // Opens the chapter at the verse (-1: none), animated.
    virtual void showSurahView(int surah, int verse, bool play) = 0;
};

class IndexViewCell : public UIView {
public:
    explicit IndexViewCell(CGRect frame = CGRectZero) : UIView(frame) {}

    // Unretained; the index outlives its rows' use of it.
    IndexViewCellDelegate* delgate() const { return delgate_; }
    virtual void setDelegate(IndexViewCellDelegate* delegate) { delgate_ = delegate; }
    int identity() const { return identity_; }

    // Row index from 0; the second argument is not read.
    virtual void setRow(int row, bool forceRefresh) {}
    virtual void setHighlighted(bool highlighted) {}
    virtual void setSelected(bool selected) {}
    virtual void setIndexMeta(const IndexRowMetaPtr& meta) {}
    virtual void updateSoundStatus() {}
    // The sound button's action: open the row's place and play.
    virtual void soundButtonPressed() {}
    // 1-based chapter or quarter number.
    virtual int row() const { return 0; }
    UIButton* soundButton() const { return btnSoundIcon.get(); }

protected:
    // ChapterAudioStatus of a chapter by asking the delegate: bit 1 the current reciter,
    // bit 2 any other reciter.
    int audioStatusFor(int surah) const;
    // Makes the sound button on first use and shows the status's images when they changed;
    // `shown` is the status whose images the button shows (-1: none yet).
    void applySoundStatus(int status, int& shown);

    IndexViewCellDelegate* delgate_ = nullptr;  // unretained
    int identity_ = 0;
    std::shared_ptr<UIButton> btnSoundIcon;
};
