#pragma once
// Cells of subtitle items (a text line over a grey subtitle, an optional square image at the
// left) and the "more" row built on them (a smaller link-coloured text and a busy indicator).

#include "platform/ui/UIActivityIndicatorView.h"
#include "toolkit/controls/TTImageView.h"
#include "toolkit/tables/TTTableLinkedItemCell.h"

class TTTableSubtitleItemCell : public TTTableLinkedItemCell {
public:
    static constexpr const char* kClassName = "TTTableSubtitleItemCell";
    TTTableSubtitleItemCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;

    UILabel* subtitleLabel() { return detailTextLabel(); }
    // Made and added on first use.
    TTImageView* imageView2();
    bool hasImageView2() const { return imageView2_ != nullptr; }

private:
    std::shared_ptr<TTImageView> imageView2_;
};

// The more row's item is a sub-text item: its text fills the text line and its caption the
// subtitle line; it has no image.
class TTTableMoreButtonCell : public TTTableSubtitleItemCell {
public:
    static constexpr const char* kClassName = "TTTableMoreButtonCell";
    TTTableMoreButtonCell(UITableViewCellStyle style, const std::string& identifier);

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object);
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;

    bool isAnimating() const { return animating_; }
    void setAnimating(bool animating);
    // Made and added on first use.
    UIActivityIndicatorView* activityIndicatorView();

private:
    bool animating_ = false;
    std::shared_ptr<UIActivityIndicatorView> activityIndicatorView_;
};
