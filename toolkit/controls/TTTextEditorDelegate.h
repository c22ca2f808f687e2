#pragma once
// What a TTTextEditor tells and asks its delegate. Every method is optional: a question left
// unanswered (nullopt) counts as the editor's default.

#include <optional>
#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/ui/hosting/UIHostingTypes.h"

class TTTextEditor;

class TTTextEditorDelegate {
public:
    virtual ~TTTextEditorDelegate() = default;
    virtual std::optional<bool> textEditorShouldBeginEditing(TTTextEditor*) { return std::nullopt; }
    virtual std::optional<bool> textEditorShouldEndEditing(TTTextEditor*) { return std::nullopt; }
    virtual void textEditorDidBeginEditing(TTTextEditor*) {}
    virtual void textEditorDidEndEditing(TTTextEditor*) {}
    virtual std::optional<bool> textEditorShouldChangeTextInRange(TTTextEditor*, NSRange, const std::string&) {
        return std::nullopt;
    }
    virtual void textEditorDidChange(TTTextEditor*) {}
    virtual std::optional<bool> textEditorShouldReturn(TTTextEditor*) { return std::nullopt; }
    // The change of height; answering false keeps the height.
    virtual std::optional<bool> textEditorShouldResizeBy(TTTextEditor*, CGFloat) { return std::nullopt; }
};
