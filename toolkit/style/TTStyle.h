#pragma once
// A style is one link of a chain of drawing steps. Each link draws one thing or narrows the
// area that later links work in, then hands the same context to the next link.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSKeyedArchiver.h"
#include "platform/graphics/CGGradient.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "toolkit/style/TTShape.h"

class TTStyle;
class TTStyleContext;
using TTStylePtr = std::shared_ptr<TTStyle>;

// What a view supplies to the chain that draws it. Every method is optional.
class TTStyleDelegate {
public:
    virtual ~TTStyleDelegate() = default;
    // The text a text style draws; nullopt when the delegate has none.
    virtual std::optional<std::string> textForLayerWithStyle(TTStyle*) { return std::nullopt; }
    // The image an image style draws when it has none of its own.
    virtual UIImagePtr imageForLayerWithStyle(TTStyle*) { return nullptr; }
    // Draws the delegate's own content; false when the delegate does not draw content.
    virtual bool drawLayer(TTStyleContext&, TTStyle*) { return false; }
};

// The mutable state passed down a chain while it draws or is measured.
class TTStyleContext {
public:
    TTStyleDelegate* delegate = nullptr;  // unretained
    CGRect frame{};
    CGRect contentFrame{};
    UIFontPtr font;
    bool didDrawContent = false;

    // The outline later links follow; the shared rectangle until a shape style sets one.
    const TTShapePtr& shape();
    void setShape(TTShapePtr shape) { shape_ = std::move(shape); }

private:
    TTShapePtr shape_;
};

class TTStyle : public NSCoding, public std::enable_shared_from_this<TTStyle> {
public:
    explicit TTStyle(TTStylePtr next = nullptr) : next_(std::move(next)) {}
    ~TTStyle() override = default;

    const TTStylePtr& next() const { return next_; }
    void setNext(TTStylePtr next) { next_ = std::move(next); }
    // Sets the next link and answers this link, so links join in one expression.
    TTStylePtr next(TTStylePtr next);
    // Appends the link after the last link of this chain.
    void addStyle(TTStylePtr style);

    // The first link, this one included, of the class (or a subclass).
    template <class T>
    std::shared_ptr<T> firstStyleOfClass() {
        for (TTStyle* s = this; s; s = s->next_.get())
            if (auto* hit = dynamic_cast<T*>(s)) return std::shared_ptr<T>(s->shared_from_this(), hit);
        return nullptr;
    }
    // The first part style of that name, this link included.
    std::shared_ptr<class TTPartStyle> styleForPart(const std::string& name);

    virtual void draw(TTStyleContext& context);
    virtual UIEdgeInsets addToInsets(UIEdgeInsets insets, CGSize size);
    virtual CGSize addToSize(CGSize size, TTStyleContext& context);

    // A two-or-more colour linear gradient spaced evenly (for the fill styles).
    static CGGradientRef newGradientWithColors(const std::vector<UIColorPtr>& colors);

    // A deep copy of the whole chain, made through the archive.
    TTStylePtr copy() const;
    std::string archiveClassName() const override { return "TTStyle"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    // Reads the base's keys; every subclass reads its own after calling it.
    virtual void decodeWithCoder(NSKeyedUnarchiver& coder);

    // Registers every style and shape class with the unarchiver (idempotent).
    static void registerArchiveClasses();

protected:
    void drawNext(TTStyleContext& context) {
        if (next_) next_->draw(context);
    }
    CGSize nextSize(CGSize size, TTStyleContext& context) { return next_ ? next_->addToSize(size, context) : size; }

private:
    TTStylePtr next_;
};
