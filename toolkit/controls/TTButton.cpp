#include "toolkit/controls/TTButton.h"

#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTTextStyle.h"

TTButton::TTButton(CGRect frame) : UIControl(frame) { setBackgroundColor(UIColor::clearColor()); }

std::shared_ptr<TTButton> TTButton::buttonWithStyle(const std::string& selector) {
    auto button = std::make_shared<TTButton>();
    button->setStylesWithSelector(selector);
    return button;
}

std::shared_ptr<TTButton> TTButton::buttonWithStyle(const std::string& selector, const std::string& title) {
    auto button = std::make_shared<TTButton>();
    button->setTitle(title, UIControlStateNormal);
    button->setStylesWithSelector(selector);
    return button;
}

std::string TTButton::keyForState(unsigned state) {
    if (state & UIControlStateHighlighted) return "highlighted";
    if (state & UIControlStateSelected) return "selected";
    if (state & UIControlStateDisabled) return "disabled";
    return "normal";
}

void TTButton::setStylesWithSelector(const std::string& selector) {
    TTStyleSheetPtr sheet = TTStyleSheet::globalStyleSheet();
    for (unsigned state : {UIControlStateNormal, UIControlStateHighlighted, UIControlStateSelected,
                           UIControlStateDisabled})
        setStyle(sheet->styleWithSelector(selector, static_cast<int>(state)), state);
}

TTButtonContent& TTButton::contentForState(unsigned state) {
    auto& slot = _content[keyForState(state)];
    if (!slot) slot = std::make_unique<TTButtonContent>(this);
    return *slot;
}

std::optional<std::string> TTButton::titleForState(unsigned state) { return contentForState(state).title(); }

void TTButton::setTitle(std::optional<std::string> title, unsigned state) {
    contentForState(state).setTitle(std::move(title));
    setNeedsDisplay();
}

std::string TTButton::imageForState(unsigned state) { return contentForState(state).imageURL(); }

void TTButton::setImage(const std::string& url, unsigned state) {
    contentForState(state).setImageURL(url);
    setNeedsDisplay();
}

TTStylePtr TTButton::styleForState(unsigned state) { return contentForState(state).style(); }

void TTButton::setStyle(TTStylePtr style, unsigned state) {
    contentForState(state).setStyle(std::move(style));
    setNeedsDisplay();
}

const UIFontPtr& TTButton::font() {
    if (!_font) _font = TTDefaultStyleSheet::current().buttonFont();
    return _font;
}

void TTButton::setFont(UIFontPtr font) {
    if (font == _font) return;
    _font = std::move(font);
    setNeedsDisplay();
}

void TTButton::suspendLoadingImages(bool suspended) {
    TTButtonContent& content = contentForCurrentState();
    if (suspended) {
        content.stopLoading();
    } else if (!content.image()) {
        content.reload();
    }
}

TTButtonContent& TTButton::contentForCurrentState() {
    if (isSelected()) return contentForState(UIControlStateSelected);
    if (isHighlighted()) return contentForState(UIControlStateHighlighted);
    if (!isEnabled()) return contentForState(UIControlStateDisabled);
    return contentForState(UIControlStateNormal);
}

std::optional<std::string> TTButton::titleForCurrentState() {
    auto title = contentForCurrentState().title();
    return title ? title : contentForState(UIControlStateNormal).title();
}

UIImagePtr TTButton::imageForCurrentState() {
    auto image = contentForCurrentState().image();
    return image ? image : contentForState(UIControlStateNormal).image();
}

TTStylePtr TTButton::styleForCurrentState() {
    auto style = contentForCurrentState().style();
    return style ? style : contentForState(UIControlStateNormal).style();
}

UIFontPtr TTButton::fontForCurrentState() {
    if (_font) return _font;
    if (TTStylePtr style = styleForCurrentState())
        if (auto text = style->firstStyleOfClass<TTTextStyle>(); text && text->font) return text->font;
    return font();
}

CGSize TTButton::sizeThatFits(CGSize size) const {
    // Looking a state up may create its content, as drawing does.
    auto& self = const_cast<TTButton&>(*this);
    TTStylePtr style = self.styleForCurrentState();
    if (!style) return size;
    TTStyleContext context;
    context.delegate = &self;
    context.font = self.fontForCurrentState();
    return style->addToSize(CGSizeZero, context);
}

void TTButton::drawRect(CGRect) {
    TTStylePtr style = styleForCurrentState();
    if (!style) return;

    TTStyleContext context;
    context.delegate = this;
    CGRect textFrame = bounds();

    auto imagePart = style->styleForPart("image");
    std::shared_ptr<TTBoxStyle> imageBox;
    CGSize imageSize = CGSizeZero;
    if (imagePart) {
        if (imagePart->style) {
            imageBox = imagePart->style->firstStyleOfClass<TTBoxStyle>();
            imageSize = imagePart->style->addToSize(CGSizeZero, context);
        }
        textFrame.origin.x += imageSize.width;
        textFrame.size.width -= imageSize.width;
    }

    context.frame = bounds();
    context.contentFrame = textFrame;
    context.font = fontForCurrentState();
    style->draw(context);

    if (imagePart) {
        CGPoint origin = context.contentFrame.origin;
        if (imageBox) {
            origin.x += imageBox->margin.left;
            origin.y += imageBox->margin.top;
        }
        CGRect frame{origin, imageSize};
        context.frame = frame;
        context.contentFrame = frame;
        imagePart->drawPart(context);
    }
}
