#pragma once
// One chapter row of the index: number, name (text or calligraphic image), verse count and
// the sound button that opens the chapter playing.

#include <memory>

#include "Classes/Index/IndexViewCell.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"

class IndexTableViewCell;

class SurahCellView : public IndexViewCell {
public:
    // cell: the table cell that holds the row (unretained).
    SurahCellView(CGRect frame, int row, bool inArabic, int theme, IndexTableViewCell* cell);

    void setRow(int row, bool forceRefresh) override;
    void setSelected(bool selected) override;
    void setHighlighted(bool highlighted) override;
    void updateSoundStatus() override;
    void soundButtonPressed() override;
    int row() const override { return surahNumber; }

    UILabel* numberLabel() const { return lblSurahNumLabel.get(); }
    UILabel* nameLabel() const { return lblSurahLabel.get(); }
    UILabel* verseCountLabel() const { return lblVerseCountLabel.get(); }
    UIImageView* nameImage() const { return imgSurahImage.get(); }
    int shownAudioStatus() const { return lastAudioAvailable; }

private:
    void placeRightToLeft(double width, double height);

    IndexTableViewCell* viewCell = nullptr;  // unretained
    int theme = 0;
    int surahNumber = 1;
    CGRect thisFrame{};
    std::shared_ptr<UIImageView> imgSurahImage;
    std::shared_ptr<UILabel> lblSurahNumLabel, lblSurahLabel, lblVerseCountLabel;
    bool isarabictitle = false;
    int isAudioavailable = 0;
    int lastAudioAvailable = -1;
};
