#pragma once
// A row of the bookmark groups list: the group's icon at the left, its title, and its count
// in the right-aligned detail label.

#include <memory>
#include <string>

#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableViewCell.h"

class BookmarkGroupCellView : public UITableViewCell {
public:
    explicit BookmarkGroupCellView(const std::string& reuseIdentifier);

    const std::shared_ptr<UIImageView>& imgSide() const { return imgSide_; }
    const std::shared_ptr<UILabel>& lblTitle() const { return lblTitle_; }

private:
    std::shared_ptr<UIImageView> imgSide_;
    std::shared_ptr<UILabel> lblTitle_;
};
