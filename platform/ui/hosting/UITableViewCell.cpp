#include "platform/ui/hosting/UITableViewCell.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/ui/hosting/HostingViews.h"
#include "platform/text/StringDrawing.h"

namespace {

// A vertical two-colour gradient (the blue or grey selection look).
class GradientView : public UIView {
public:
    GradientView(UIColorPtr top, UIColorPtr bottom) : top_(std::move(top)), bottom_(std::move(bottom)) {}
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        auto g = CGGradient::createWithColors({top_, bottom_});
        c->drawLinearGradient(*g, CGPointMake(0, 0), CGPointMake(0, bounds().size.height), 0);
    }

private:
    UIColorPtr top_, bottom_;
};

// Disclosure chevron, check mark or detail button.
class AccessoryView : public UIView, public UITableViewCellHighlighting {
public:
    explicit AccessoryView(UITableViewCellAccessoryType t) : type_(t) { makeDecorationView(*this); }
    void setHighlighted(bool h) override {
        if (h == highlighted_) return;
        highlighted_ = h;
        setNeedsDisplay();
    }
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        CGRect b = bounds();
        double cx = CGRectGetMidX(b), cy = CGRectGetMidY(b);
        c->setLineCap(kCGLineCapRound);
        c->setLineJoin(kCGLineJoinRound);
        switch (type_) {
        case UITableViewCellAccessoryDisclosureIndicator:
            c->setLineWidth(3);
            if (highlighted_) c->setRGBStrokeColor(1, 1, 1, 1);
            else c->setRGBStrokeColor(0.5, 0.5, 0.5, 1);
            c->beginPath();
            c->moveToPoint(cx - 3, cy - 5);
            c->addLineToPoint(cx + 2, cy);
            c->addLineToPoint(cx - 3, cy + 5);
            c->strokePath();
            break;
        case UITableViewCellAccessoryCheckmark:
            c->setLineWidth(3);
            if (highlighted_) c->setRGBStrokeColor(1, 1, 1, 1);
            else c->setRGBStrokeColor(0.2, 0.31, 0.52, 1);
            c->beginPath();
            c->moveToPoint(cx - 6, cy);
            c->addLineToPoint(cx - 2, cy + 5);
            c->addLineToPoint(cx + 6, cy - 7);
            c->strokePath();
            break;
        case UITableViewCellAccessoryDetailDisclosureButton: {
            CGRect r = CGRectMake(cx - 14, cy - 14, 28, 28);
            c->setRGBFillColor(0.14, 0.44, 0.86, 1);
            c->fillEllipseInRect(r);
            c->setRGBStrokeColor(1, 1, 1, 1);
            c->setLineWidth(2);
            c->strokeEllipseInRect(CGRectInset(r, 1, 1));
            c->setLineWidth(3);
            c->beginPath();
            c->moveToPoint(cx - 2, cy - 5);
            c->addLineToPoint(cx + 3, cy);
            c->addLineToPoint(cx - 2, cy + 5);
            c->strokePath();
            break;
        }
        default: break;
        }
    }
    UITableViewCellAccessoryType type() const { return type_; }

private:
    UITableViewCellAccessoryType type_;
    bool highlighted_ = false;
};

// The red minus (delete) or green plus (insert) circle of editing mode.
class EditingControlView : public UIView {
public:
    EditingControlView() {
        setOpaque(false);
        setBackgroundColor(UIColor::clearColor());
    }
    void setStyle(UITableViewCellEditingStyle s, bool confirming) {
        style_ = s;
        confirming_ = confirming;
        setNeedsDisplay();
    }
    void drawRect(CGRect) override {
        CGContext* c = UIGraphicsGetCurrentContext();
        if (!c) return;
        CGRect r = CGRectInset(bounds(), 1, 1);
        if (style_ == UITableViewCellEditingStyleInsert) c->setRGBFillColor(0.2, 0.7, 0.25, 1);
        else c->setRGBFillColor(0.85, 0.12, 0.1, 1);
        c->fillEllipseInRect(r);
        c->setRGBStrokeColor(1, 1, 1, 1);
        c->setLineWidth(2);
        c->strokeEllipseInRect(CGRectInset(r, 1, 1));
        c->setRGBFillColor(1, 1, 1, 1);
        double cx = CGRectGetMidX(r), cy = CGRectGetMidY(r);
        if (style_ == UITableViewCellEditingStyleDelete && confirming_) {
            // Turned upright while the delete button shows.
            c->fillRect(CGRectMake(cx - 1.5, cy - 6, 3, 12));
        } else {
            c->fillRect(CGRectMake(cx - 6, cy - 1.5, 12, 3));
            if (style_ == UITableViewCellEditingStyleInsert) c->fillRect(CGRectMake(cx - 1.5, cy - 6, 3, 12));
        }
    }

private:
    UITableViewCellEditingStyle style_ = UITableViewCellEditingStyleDelete;
    bool confirming_ = false;
};

void highlightTree(UIView& v, bool on) {
    for (const auto& sub : v.subviews()) {
        if (auto* l = dynamic_cast<UILabel*>(sub.get())) l->setHighlighted(on);
        else if (auto* i = dynamic_cast<UIImageView*>(sub.get())) i->setHighlighted(on);
        if (auto* h = dynamic_cast<UITableViewCellHighlighting*>(sub.get())) h->setHighlighted(on);
        if (!dynamic_cast<UIControl*>(sub.get())) highlightTree(*sub, on);
    }
}

constexpr double kEditingIndent = 32;
constexpr double kGroupInset = 10;

}  // namespace

UITableViewCell::UITableViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier)
    : UIView(CGRectMake(0, 0, 320, 44)), style_(style), reuseIdentifier_(reuseIdentifier) {
    setBackgroundColor(UIColor::whiteColor());
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    contentView_ = std::make_shared<UIView>(bounds());
    contentView_->setBackgroundColor(UIColor::clearColor());
    contentView_->setOpaque(false);
    contentView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(contentView_);
    separatorColor_ = UIColor::colorWithWhite(0.88, 1);
}

UITableViewCell::~UITableViewCell() = default;

UILabel* UITableViewCell::makeLabel(std::shared_ptr<UILabel>& slot, bool detail) {
    if (slot) return slot.get();
    slot = std::make_shared<UILabel>(CGRectZero);
    UILabel& l = *slot;
    l.setBackgroundColor(UIColor::clearColor());
    l.setOpaque(false);
    l.setHighlightedTextColor(UIColor::whiteColor());
    switch (style_) {
    case UITableViewCellStyleDefault: l.setFont(UIFont::boldSystemFontOfSize(20)); break;
    case UITableViewCellStyleSubtitle:
        l.setFont(detail ? UIFont::systemFontOfSize(14) : UIFont::boldSystemFontOfSize(18));
        if (detail) l.setTextColor(UIColor::grayColor());
        break;
    case UITableViewCellStyleValue1:
        l.setFont(UIFont::boldSystemFontOfSize(17));
        if (detail) {
            l.setFont(UIFont::systemFontOfSize(17));
            l.setTextColor(UIColor::colorWithRed(0.22, 0.33, 0.53, 1));
            l.setTextAlignment(UITextAlignmentRight);
        }
        break;
    case UITableViewCellStyleValue2:
        if (detail) {
            l.setFont(UIFont::boldSystemFontOfSize(15));
        } else {
            l.setFont(UIFont::boldSystemFontOfSize(12));
            l.setTextColor(UIColor::colorWithRed(0.32, 0.4, 0.57, 1));
            l.setTextAlignment(UITextAlignmentRight);
        }
        break;
    }
    contentView_->addSubview(slot);
    setNeedsLayout();
    return slot.get();
}

UILabel* UITableViewCell::textLabel() { return makeLabel(textLabel_, false); }

UILabel* UITableViewCell::detailTextLabel() {
    if (style_ == UITableViewCellStyleDefault) return nullptr;
    return makeLabel(detailTextLabel_, true);
}

UIImageView* UITableViewCell::imageView() {
    if (!imageView_) {
        imageView_ = std::make_shared<UIImageView>(CGRectZero);
        imageView_->setBackgroundColor(UIColor::clearColor());
        imageView_->setOpaque(false);
        imageView_->setContentMode(UIViewContentModeCenter);
        contentView_->addSubview(imageView_);
        setNeedsLayout();
    }
    return imageView_.get();
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    if (type == accessoryType_) return;
    accessoryType_ = type;
    updateAccessory();
}

void UITableViewCell::setAccessoryView(std::shared_ptr<UIView> view) {
    if (accessoryView_) accessoryView_->removeFromSuperview();
    accessoryView_ = std::move(view);
    updateAccessory();
}

void UITableViewCell::updateAccessory() {
    if (builtinAccessory_) builtinAccessory_->removeFromSuperview();
    builtinAccessory_.reset();
    if (accessoryView_) {
        addSubview(accessoryView_);
    } else if (accessoryType_ != UITableViewCellAccessoryNone) {
        builtinAccessory_ = std::make_shared<AccessoryView>(accessoryType_);
        addSubview(builtinAccessory_);
        static_cast<AccessoryView*>(builtinAccessory_.get())->setHighlighted((selected_ || highlighted_) && selectionStyle_ != UITableViewCellSelectionStyleNone);
    }
    setNeedsLayout();
}

void UITableViewCell::setBackgroundView(std::shared_ptr<UIView> view) {
    if (backgroundView_) backgroundView_->removeFromSuperview();
    backgroundView_ = std::move(view);
    if (backgroundView_) {
        backgroundView_->setFrame(bounds());
        insertSubview(backgroundView_, 0);
    }
}

void UITableViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
    bool shown = selectedBackgroundView_ && selectedBackgroundView_->superview() == this;
    if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
    selectedBackgroundView_ = std::move(view);
    if (shown || selected_ || highlighted_) updateSelectionLook(false);
}

void UITableViewCell::setIndentationLevel(int level) {
    indentationLevel_ = level;
    setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected, bool animated) {
    selected_ = selected;
    updateSelectionLook(animated);
    applyHighlight(selected_ || highlighted_);
}

void UITableViewCell::setHighlighted(bool highlighted, bool animated) {
    highlighted_ = highlighted;
    updateSelectionLook(animated);
    applyHighlight(selected_ || highlighted_);
}

void UITableViewCell::applyHighlight(bool on) {
    if (selectionStyle_ == UITableViewCellSelectionStyleNone) on = false;
    highlightTree(*contentView_, on);
    if (auto* a = dynamic_cast<AccessoryView*>(builtinAccessory_.get())) a->setHighlighted(on);
}

void UITableViewCell::updateSelectionLook(bool animated) {
    bool show = (selected_ || highlighted_) && selectionStyle_ != UITableViewCellSelectionStyleNone;
    std::shared_ptr<UIView> view = selectedBackgroundView_;
    if (!view) {
        if (!defaultSelectedBackground_ && show) {
            if (selectionStyle_ == UITableViewCellSelectionStyleGray)
                defaultSelectedBackground_ = std::make_shared<GradientView>(UIColor::colorWithWhite(0.75, 1), UIColor::colorWithWhite(0.6, 1));
            else
                defaultSelectedBackground_ = std::make_shared<GradientView>(UIColor::colorWithRed(0.02, 0.55, 0.96, 1),
                                                                            UIColor::colorWithRed(0.0, 0.37, 0.9, 1));
        }
        view = defaultSelectedBackground_;
    }
    if (!view) return;
    if (show) {
        view->setFrame(bounds());
        if (view->superview() != this) insertSubviewBelowSubview(view, contentView_.get());
        view->setAlpha(1);
        return;
    }
    if (view->superview() != this) return;
    if (animated) {
        UIView::beginAnimations("UITableViewCellDeselect");
        UIView::setAnimationDuration(0.3);
        std::weak_ptr<UIView> weakView = view;
        std::weak_ptr<UIView> weakSelf = weak_from_this();
        UIView::setAnimationDidStopSelector([weakView, weakSelf](const std::string&, bool, void*) {
            auto v = weakView.lock();
            auto self = std::static_pointer_cast<UITableViewCell>(weakSelf.lock());
            if (!v || !self) return;
            if (!(self->selected_ || self->highlighted_) && v->superview() == self.get()) v->removeFromSuperview();
            v->setAlpha(1);
        });
        view->setAlpha(0);
        UIView::commitAnimations();
    } else {
        view->removeFromSuperview();
    }
}

void UITableViewCell::setEditing(bool editing, bool animated) {
    if (editing_ == editing && !animated) {
        setNeedsLayout();
        return;
    }
    editing_ = editing;
    if (!editing) showingDeleteConfirmation_ = false;
    if (animated) {
        UIView::beginAnimations("UITableViewCellEditing");
        UIView::setAnimationDuration(0.3);
        layoutSubviews();
        UIView::commitAnimations();
    } else {
        setNeedsLayout();
    }
}

void UITableViewCell::setShowingDeleteConfirmation(bool showing) {
    showingDeleteConfirmation_ = showing;
    if (showing && !deleteButton_) {
        deleteButton_ = std::make_shared<UIButton>(CGRectZero);
        deleteButton_->setTitle("Delete", UIControlStateNormal);
        deleteButton_->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
        deleteButton_->setFont(UIFont::boldSystemFontOfSize(14));
        deleteButton_->setBackgroundColor(UIColor::colorWithRed(0.84, 0.13, 0.11, 1));
        deleteButton_->layer().setCornerRadius(6);
    }
    if (deleteButton_) {
        if (showing && deleteButton_->superview() != this) addSubview(deleteButton_);
        if (!showing) deleteButton_->removeFromSuperview();
    }
    if (auto* ec = dynamic_cast<EditingControlView*>(editingControl_.get())) ec->setStyle(editingStyle_, showing);
    setNeedsLayout();
}

void UITableViewCell::setSeparator(UITableViewCellSeparatorStyle style, UIColorPtr color) {
    if (style == separatorStyle_ && color == separatorColor_ && separatorView_) return;
    separatorStyle_ = style;
    separatorColor_ = std::move(color);
    if (!separatorView_) {
        separatorView_ = std::make_shared<UIView>(CGRectZero);
        separatorView_->setUserInteractionEnabled(false);
        addSubview(separatorView_);
    }
    separatorView_->setBackgroundColor(separatorColor_ ? separatorColor_ : UIColor::clearColor());
    separatorView_->setHidden(grouped_ || separatorStyle_ == UITableViewCellSeparatorStyleNone);
    setNeedsLayout();
}

void UITableViewCell::setGroupedPosition(bool grouped, bool first, bool last) {
    if (grouped != grouped_) setBackgroundColor(grouped ? UIColor::clearColor() : UIColor::whiteColor());
    if (grouped_ == grouped && groupFirst_ == first && groupLast_ == last) return;
    grouped_ = grouped;
    groupFirst_ = first;
    groupLast_ = last;
    if (separatorView_) separatorView_->setHidden(grouped_ || separatorStyle_ == UITableViewCellSeparatorStyleNone);
    if (grouped_) setDrawsNothing(false);
    setOpaque(!grouped);
    setNeedsDisplay();
    setNeedsLayout();
}

void UITableViewCell::prepareForReuse() {
    selected_ = false;
    highlighted_ = false;
    updateSelectionLook(false);
    applyHighlight(false);
    showingDeleteConfirmation_ = false;
    if (deleteButton_) deleteButton_->removeFromSuperview();
    setAlpha(1);
}

void UITableViewCell::layoutSubviews() {
    CGRect b = bounds();
    double left = grouped_ ? kGroupInset : 0;
    double right = grouped_ ? kGroupInset : 0;
    bool showControl = editing_ && editingStyle_ != UITableViewCellEditingStyleNone;
    if (showControl) {
        if (!editingControl_) {
            editingControl_ = std::make_shared<EditingControlView>();
            addSubview(editingControl_);
        }
        static_cast<EditingControlView*>(editingControl_.get())->setStyle(editingStyle_, showingDeleteConfirmation_);
        editingControl_->setHidden(false);
        editingControl_->setFrame(CGRectMake(left + 6, std::floor((b.size.height - 24) / 2), 24, 24));
    } else if (editingControl_) {
        editingControl_->setHidden(true);
    }
    if (editing_ && indentForEditing_ && shouldIndentWhileEditing_ && editingStyle_ != UITableViewCellEditingStyleNone)
        left += kEditingIndent;
    left += indentationLevel_ * indentationWidth_;

    UIView* accessory = accessoryView_ ? accessoryView_.get() : builtinAccessory_.get();
    bool accessoryShown = accessory && !showingDeleteConfirmation_ && !editing_;
    if (accessory) accessory->setHidden(!accessoryShown);
    if (accessoryShown) {
        CGSize s = accessoryView_ ? accessoryView_->frame().size
                                  : CGSizeMake(accessoryType_ == UITableViewCellAccessoryDetailDisclosureButton ? 32 : 20, b.size.height);
        double x = b.size.width - right - 10 - s.width;
        accessory->setFrame(CGRectMake(x, std::floor((b.size.height - s.height) / 2), s.width, s.height));
        right = b.size.width - x;
    }
    if (showingDeleteConfirmation_ && deleteButton_) {
        double w = std::max(64.0, deleteButton_->sizeThatFits(CGSizeMake(200, 30)).width + 16);
        double x = b.size.width - right - 10 - w;
        deleteButton_->setFrame(CGRectMake(x, std::floor((b.size.height - 30) / 2), w, 30));
        right = b.size.width - x;
    }
    double sep = (separatorStyle_ != UITableViewCellSeparatorStyleNone && !grouped_) ? 1 : 0;
    contentView_->setFrame(CGRectMake(left, 0, std::max(0.0, b.size.width - left - right), b.size.height - sep));
    if (backgroundView_) backgroundView_->setFrame(b);
    if (separatorView_) separatorView_->setFrame(CGRectMake(0, b.size.height - 1, b.size.width, 1));
    UIView* selBg = selectedBackgroundView_ ? selectedBackgroundView_.get() : defaultSelectedBackground_.get();
    if (selBg) selBg->setFrame(grouped_ ? CGRectInset(b, kGroupInset, 0) : b);

    CGRect c = contentView_->bounds();
    double x = 10;
    if (imageView_ && imageView_->image()) {
        CGSize is = imageView_->image()->size();
        double w = std::min(is.width, c.size.height);
        imageView_->setFrame(CGRectMake(grouped_ ? 10 : 0, 0, std::max(w, is.width), c.size.height));
        x = CGRectGetMaxX(imageView_->frame()) + 10;
    } else if (imageView_) {
        imageView_->setFrame(CGRectZero);
    }
    double w = std::max(0.0, c.size.width - x - 10);
    switch (style_) {
    case UITableViewCellStyleDefault:
        if (textLabel_) textLabel_->setFrame(CGRectMake(x, 0, w, c.size.height));
        break;
    case UITableViewCellStyleSubtitle: {
        double th = textLabel_ ? std::ceil(textLabel_->font()->lineHeight()) : 0;
        double dh = detailTextLabel_ && !detailTextLabel_->text().empty() ? std::ceil(detailTextLabel_->font()->lineHeight()) : 0;
        double top = std::floor((c.size.height - th - dh) / 2);
        if (textLabel_) textLabel_->setFrame(CGRectMake(x, top, w, th));
        if (detailTextLabel_) detailTextLabel_->setFrame(CGRectMake(x, top + th, w, dh));
        break;
    }
    case UITableViewCellStyleValue1: {
        double dw = 0;
        if (detailTextLabel_ && !detailTextLabel_->text().empty())
            dw = std::min(w, std::ceil(sizeWithFont(detailTextLabel_->text(), *detailTextLabel_->font()).width));
        if (detailTextLabel_) detailTextLabel_->setFrame(CGRectMake(x + w - dw, 0, dw, c.size.height));
        if (textLabel_) textLabel_->setFrame(CGRectMake(x, 0, std::max(0.0, w - dw - 6), c.size.height));
        break;
    }
    case UITableViewCellStyleValue2:
        if (textLabel_) textLabel_->setFrame(CGRectMake(x, 0, 67, c.size.height));
        if (detailTextLabel_) detailTextLabel_->setFrame(CGRectMake(x + 73, 0, std::max(0.0, w - 73), c.size.height));
        break;
    }
}

void UITableViewCell::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = bounds();
    if (grouped_) {
        // One piece of the section's rounded box.
        CGRect r = CGRectMake(kGroupInset + 0.5, 0.5, b.size.width - 2 * kGroupInset - 1, b.size.height - 1);
        double rad = 8;
        double top = r.origin.y - (groupFirst_ ? 0 : rad + 1), bottom = CGRectGetMaxY(r) + (groupLast_ ? 0 : rad + 1);
        CGRect box = CGRectMake(r.origin.x, top, r.size.width, bottom - top);
        c->saveGState();
        c->clipToRect(b);
        c->beginPath();
        c->addRoundedRect(box, rad);
        c->setRGBFillColor(1, 1, 1, 1);
        c->fillPath();
        c->beginPath();
        c->addRoundedRect(box, rad);
        c->setRGBStrokeColor(0.67, 0.67, 0.67, 1);
        c->setLineWidth(1);
        c->strokePath();
        if (!groupLast_) {
            c->setRGBFillColor(0.8, 0.8, 0.8, 1);
            c->fillRect(CGRectMake(r.origin.x, b.size.height - 1, r.size.width, 1));
        }
        c->restoreGState();
        return;
    }
    UIView::drawRect(b);  // plain cells draw nothing: the separator is a subview
}
