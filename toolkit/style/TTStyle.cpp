#include "toolkit/style/TTStyle.h"

#include "toolkit/style/TTStructuralStyles.h"

const TTShapePtr& TTStyleContext::shape() {
    if (!shape_) shape_ = TTRectangleShape::shape();
    return shape_;
}

TTStylePtr TTStyle::next(TTStylePtr next) {
    next_ = std::move(next);
    return shared_from_this();
}

void TTStyle::addStyle(TTStylePtr style) {
    TTStyle* last = this;
    while (last->next_) last = last->next_.get();
    last->next_ = std::move(style);
}

std::shared_ptr<TTPartStyle> TTStyle::styleForPart(const std::string& name) {
    for (TTStyle* s = this; s; s = s->next_.get())
        if (auto* part = dynamic_cast<TTPartStyle*>(s); part && part->name == name)
            return std::shared_ptr<TTPartStyle>(s->shared_from_this(), part);
    return nullptr;
}

void TTStyle::draw(TTStyleContext& context) { drawNext(context); }

UIEdgeInsets TTStyle::addToInsets(UIEdgeInsets insets, CGSize size) {
    return next_ ? next_->addToInsets(insets, size) : insets;
}

CGSize TTStyle::addToSize(CGSize size, TTStyleContext& context) { return nextSize(size, context); }

CGGradientRef TTStyle::newGradientWithColors(const std::vector<UIColorPtr>& colors) {
    std::vector<UIColorPtr> present;
    for (const auto& c : colors) present.push_back(c ? c : UIColor::clearColor());
    return CGGradient::createWithColors(present);
}

TTStylePtr TTStyle::copy() const {
    registerArchiveClasses();
    return std::dynamic_pointer_cast<TTStyle>(NSKeyedUnarchiver::copyByArchiving(*this));
}

void TTStyle::encodeWithCoder(NSKeyedArchiver& coder) const { coder.encodeObject(next_.get(), "next"); }

void TTStyle::decodeWithCoder(NSKeyedUnarchiver& coder) { next_ = coder.decodeObjectOfClass<TTStyle>("next"); }
