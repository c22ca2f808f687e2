#pragma once
// One hizb-quarter row of the index in juz mode: the hizb number or quarter fraction mark,
// the text of the quarter's first verse and the sound button.

#include <memory>
#include <string>

#include "Classes/Index/IndexViewCell.h"
#include "platform/ui/UILabel.h"

class SectionCellView : public IndexViewCell {
public:
    SectionCellView(CGRect frame, int row, int theme);
    ~SectionCellView() override;

    void setRow(int row, bool forceRefresh) override;
    void setSelected(bool selected) override;
    void setHighlighted(bool highlighted) override;
    void setIndexMeta(const IndexRowMetaPtr& meta) override;
    void updateSoundStatus() override;
    void soundButtonPressed() override;
    int row() const override { return sectionNumber; }
    // Dresses the mark button's enabled states (shown while the row is touched or selected).
    void setNormalImages();
    // Re-reads the translation and sets the text's direction and font again.
    void refreshFont();

    // The translation id that sets the text's direction: the current one, or 0 for those
    // whose quarter texts are shown in Arabic.
    static int currentTextTranslation();

    UILabel* textLabel() const { return lblSurahLabel.get(); }
    UIButton* markButton() const { return btnSectionIcon.get(); }
    const IndexRowMetaPtr& meta() const { return thisMeta; }
    bool showsQuarterMark() const { return isSectionedHizb; }
    int shownAudioStatus() const { return PrevSoundInstalled; }

private:
    std::string markTitle() const;
    void applyTextStyle();

    int theme = 0;
    int sectionNumber = 1;
    CGRect thisFrame{};
    IndexRowMetaPtr thisMeta;
    std::shared_ptr<UIButton> btnSectionIcon;
    std::shared_ptr<UILabel> lblSurahLabel;
    int hezbVal = 0;
    int hezbnum = 0;
    int iCurrentTranslation = 0;
    int isAudioavailable = 0;
    bool isSectionedHizb = false;
    int PrevSoundInstalled = -1;
};
