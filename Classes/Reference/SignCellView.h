#pragma once
// A row of the stop-signs page: the mark's image beside its title and a one-line explanation,
// the image at the left in the English interface and at the right in the Arabic one.

#include <memory>
#include <string>

#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableViewCell.h"

class SignCellView : public UITableViewCell {
public:
    SignCellView(UITableViewCellStyle style, const std::string& reuseIdentifier);

    std::shared_ptr<UILabel> lblTitle, lblExplanation;
    std::shared_ptr<UIImageView> imgSign;
};
