#pragma once
// The centred picture, title and subtitle a screen shows when it has nothing or failed.

#include <memory>
#include <string>

#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"

class TTErrorView : public UIView {
public:
    explicit TTErrorView(CGRect frame = CGRectZero);
    TTErrorView(const std::string& title, const std::string& subtitle, UIImagePtr image);  // initWithTitle:subtitle:image:

    const std::string& title() const { return _titleView->text(); }
    void setTitle(const std::string& title) { _titleView->setText(title); }
    const std::string& subtitle() const { return _subtitleView->text(); }
    void setSubtitle(const std::string& subtitle) { _subtitleView->setText(subtitle); }
    const UIImagePtr& image() const { return _imageView->image(); }
    void setImage(UIImagePtr image) { _imageView->setImage(std::move(image)); }

    void layoutSubviews() override;

    const std::shared_ptr<UIImageView>& imageView() const { return _imageView; }
    const std::shared_ptr<UILabel>& titleView() const { return _titleView; }
    const std::shared_ptr<UILabel>& subtitleView() const { return _subtitleView; }

private:
    std::shared_ptr<UIImageView> _imageView;
    std::shared_ptr<UILabel> _titleView;
    std::shared_ptr<UILabel> _subtitleView;
};
