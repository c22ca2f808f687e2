#pragma once
// A control drawn entirely through styles: each control state keeps a title, an image given by
// URL and a style, and the button draws the set of the state it is in. A change of highlighted,
// selected or enabled redraws it (the control's own state hook).

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/UIControl.h"
#include "toolkit/controls/TTButtonContent.h"
#include "toolkit/style/TTStyle.h"

class TTButton : public UIControl, public TTStyleDelegate {
public:
    explicit TTButton(CGRect frame = CGRectZero);

    // A button with the sheet's styles of the selector name for every state.
    static std::shared_ptr<TTButton> buttonWithStyle(const std::string& selector);
    static std::shared_ptr<TTButton> buttonWithStyle(const std::string& selector, const std::string& title);

    // The dictionary key of a state: highlighted, then selected, then disabled, else normal.
    static std::string keyForState(unsigned state);

    // Stores the global sheet's style of the selector for normal, highlighted, selected, disabled.
    void setStylesWithSelector(const std::string& selector);

    std::optional<std::string> titleForState(unsigned state);
    void setTitle(std::optional<std::string> title, unsigned state);
    // Images are given and answered as URLs.
    std::string imageForState(unsigned state);
    void setImage(const std::string& url, unsigned state);
    TTStylePtr styleForState(unsigned state);
    void setStyle(TTStylePtr style, unsigned state);

    // The font set, else the sheet's button font (then kept).
    const UIFontPtr& font();
    void setFont(UIFontPtr font);

    // Stops (YES) or resumes (NO) loading the current state's image.
    void suspendLoadingImages(bool suspended);

    // The content of a state; made and stored on the first request, never null.
    TTButtonContent& contentForState(unsigned state);
    TTButtonContent& contentForCurrentState();
    std::optional<std::string> titleForCurrentState();
    UIImagePtr imageForCurrentState();
    TTStylePtr styleForCurrentState();
    UIFontPtr fontForCurrentState();

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;

    std::optional<std::string> textForLayerWithStyle(TTStyle*) override { return titleForCurrentState(); }
    UIImagePtr imageForLayerWithStyle(TTStyle*) override { return imageForCurrentState(); }

private:
    std::map<std::string, std::unique_ptr<TTButtonContent>> _content;
    UIFontPtr _font;
};

using TTButtonPtr = std::shared_ptr<TTButton>;
