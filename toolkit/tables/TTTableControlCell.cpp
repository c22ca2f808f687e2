#include "toolkit/tables/TTTableControlCell.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UITextView.h"
#include "toolkit/controls/TTTextEditor.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"

namespace {

constexpr double kPadding = 8;
constexpr double kMinimumHeight = 44;
constexpr double kTextViewLines = 5;
constexpr double kTextFieldExtra = 12;

// The view a control cell or flush cell shows for an object, and the item it came with.
std::shared_ptr<UIView> embeddedView(const TTTableObject& object)
{
    if (auto* item = object.itemAs<TTTableControlItem>()) return item->control();
    if (auto* item = object.itemAs<TTTableViewItem>()) return item->view();
    return object.viewPtr();
}

// Steps shared by both cells: nothing for what they already hold; else the old view leaves
// the content view, and the object's view (and item) are taken.
template <class Item>
bool takeObject(const TTTableObject& object, TTTableObject& heldItem, std::shared_ptr<UIView>& heldView)
{
    const bool isView = object.view() != nullptr;
    if (isView ? object.view() == heldView.get() : object == heldItem) return false;
    if (heldView) heldView->removeFromSuperview();
    heldView.reset();
    heldItem = TTTableObject();
    if (isView) {
        heldView = object.viewPtr();
    } else if (object.itemAs<Item>()) {
        heldItem = object;
        heldView = embeddedView(object);
    }
    return true;
}

}  // namespace

TTTableControlCell::TTTableControlCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableViewCell(style, identifier)
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
}

bool TTTableControlCell::shouldConsiderControlIntrinsicSize(const UIView* control)
{
    return dynamic_cast<const UISwitch*>(control) != nullptr;
}

bool TTTableControlCell::shouldSizeControlToFit(const UIView* control)
{
    return dynamic_cast<const UITextView*>(control) || dynamic_cast<const TTTextEditor*>(control);
}

bool TTTableControlCell::shouldRespectControlPadding(const UIView* control)
{
    return dynamic_cast<const UITextField*>(control) != nullptr;
}

double TTTableControlCell::rowHeightForObject(UITableView*, const TTTableObject& object)
{
    std::shared_ptr<UIView> control = embeddedView(object);
    if (!control) return kMinimumHeight;
    double height = control->frame().size.height;
    if (height == 0) {
        if (auto* textView = dynamic_cast<UITextView*>(control.get())) {
            height = tt::lineHeight(*textView->font()) * kTextViewLines;
        } else if (auto* editor = dynamic_cast<TTTextEditor*>(control.get())) {
            height = tt::lineHeight(*editor->font()) * kTextViewLines;
        } else if (auto* field = dynamic_cast<UITextField*>(control.get())) {
            height = tt::lineHeight(*field->font()) + kTextFieldExtra;
        } else {
            control->sizeToFit();
            height = control->frame().size.height;
        }
    }
    return std::max(height, kMinimumHeight);
}

TTTableObject TTTableControlCell::object() const
{
    return item_ ? item_ : TTTableObject(control_);
}

TTTableControlItem* TTTableControlCell::item() const
{
    return item_.itemAs<TTTableControlItem>();
}

void TTTableControlCell::setObject(const TTTableObject& object)
{
    // A nil object counts as what a cell with a bare view already holds, so reuse keeps it.
    if (object.isNull() && !item_) return;
    if (!takeObject<TTTableControlItem>(object, item_, control_)) return;
    if (!control_) {
        textLabel()->setText({});
        return;
    }
    control_->setBackgroundColor(UIColor::clearColor());
    textLabel()->setText(item() ? item()->caption() : std::string());
    contentView()->addSubview(control_);
}

void TTTableControlCell::layoutSubviews()
{
    TTTableViewCell::layoutSubviews();
    if (!control_) return;
    const CGRect b = contentView()->bounds();
    // A control that fills the row would lie over its caption: the caption hides meanwhile.
    const bool fills = shouldSizeControlToFit(control_.get());
    textLabel()->setHidden(fills);
    if (fills) {
        control_->setFrame(CGRectInset(b, 2, 4));
        return;
    }
    double width = b.size.width - kPadding;
    if (!shouldRespectControlPadding(control_.get())) width -= kPadding;
    double x = kPadding;
    UILabel* caption = textLabel();
    if (!caption->text().empty()) {
        const double c = caption->sizeThatFits(b.size).width + kPadding;
        width -= c;
        x = c + kPadding;
    }
    if (control_->frame().size.height == 0) control_->sizeToFit();
    if (shouldConsiderControlIntrinsicSize(control_.get())) {
        // A switch has one size; it moves to the right end of the room instead of stretching.
        x += width - control_->frame().size.width;
        width = control_->frame().size.width;
    }
    if (control_->superview() != contentView()) contentView()->addSubview(control_);
    const double height = control_->frame().size.height;
    control_->setFrame(CGRectMake(x, std::floor(b.size.height / 2 - height / 2), width, height));
}

TTTableFlushViewCell::TTTableFlushViewCell(UITableViewCellStyle style, const std::string& identifier)
    : TTTableViewCell(style, identifier)
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
}

TTTableObject TTTableFlushViewCell::object() const
{
    return item_ ? item_ : TTTableObject(view_);
}

TTTableViewItem* TTTableFlushViewCell::item() const
{
    return item_.itemAs<TTTableViewItem>();
}

void TTTableFlushViewCell::setObject(const TTTableObject& object)
{
    if (object.isNull() && !item_) return;
    if (!takeObject<TTTableViewItem>(object, item_, view_)) return;
    if (view_) contentView()->addSubview(view_);
}

void TTTableFlushViewCell::layoutSubviews()
{
    TTTableViewCell::layoutSubviews();
    if (view_) view_->setFrame(contentView()->bounds());
}
