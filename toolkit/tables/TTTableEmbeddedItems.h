#pragma once
// Items whose cells embed a view of their own: a busy row, styled text, a control with a
// caption, or any view filling the row.

#include "platform/ui/UIKitTypes.h"
#include "platform/ui/UIView.h"
#include "toolkit/styledtext/TTStyledText.h"
#include "toolkit/tables/TTTableItem.h"

class TTTableActivityItem : public TTTableItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithText(std::string text)
    {
        auto item = tt::makeItem<Item, TTTableActivityItem>();
        item->setText(std::move(text));
        return item;
    }

    // Not archived.
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    std::string archiveClassName() const override { return "TTTableActivityItem"; }

private:
    std::string text_;
};

class TTTableStyledTextItem : public TTTableLinkedItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithText(TTStyledTextPtr text, std::string URL = {}, std::string accessoryURL = {})
    {
        auto item = tt::makeItem<Item, TTTableStyledTextItem>();
        item->setText(std::move(text));
        item->setURL(std::move(URL));
        item->setAccessoryURL(std::move(accessoryURL));
        return item;
    }

    // Shared, not copied.
    const TTStyledTextPtr& text() const { return text_; }
    void setText(TTStyledTextPtr text) { text_ = std::move(text); }
    // Neither inset is archived.
    UIEdgeInsets margin() const { return margin_; }
    void setMargin(UIEdgeInsets margin) { margin_ = margin; }
    UIEdgeInsets padding() const { return padding_; }
    void setPadding(UIEdgeInsets padding) { padding_ = padding; }

    std::string archiveClassName() const override { return "TTTableStyledTextItem"; }
    // The text goes into the archive as its mark-up and is parsed again when read back.
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    TTStyledTextPtr text_;
    UIEdgeInsets margin_{0, 0, 0, 0};
    UIEdgeInsets padding_{6, 6, 6, 6};
};

// A caption and a view; the control item's view is usually a control (switch, text field,
// slider) but a text view is taken as well. Views are archived when they are archivable.
class TTTableCaptionedViewItem : public TTTableItem {
public:
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

protected:
    const std::shared_ptr<UIView>& embeddedView() const { return view_; }
    void setEmbeddedView(std::shared_ptr<UIView> view) { view_ = std::move(view); }
    // The archive key of the view.
    virtual const char* viewKey() const = 0;

private:
    std::string caption_;
    std::shared_ptr<UIView> view_;
};

class TTTableControlItem : public TTTableCaptionedViewItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithCaption(std::string caption, std::shared_ptr<UIView> control)
    {
        auto item = tt::makeItem<Item, TTTableControlItem>();
        item->setCaption(std::move(caption));
        item->setControl(std::move(control));
        return item;
    }

    const std::shared_ptr<UIView>& control() const { return embeddedView(); }
    void setControl(std::shared_ptr<UIView> control) { setEmbeddedView(std::move(control)); }
    std::string archiveClassName() const override { return "TTTableControlItem"; }

protected:
    const char* viewKey() const override { return "control"; }
};

class TTTableViewItem : public TTTableCaptionedViewItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithCaption(std::string caption, std::shared_ptr<UIView> view)
    {
        auto item = tt::makeItem<Item, TTTableViewItem>();
        item->setCaption(std::move(caption));
        item->setView(std::move(view));
        return item;
    }

    const std::shared_ptr<UIView>& view() const { return embeddedView(); }
    void setView(std::shared_ptr<UIView> view) { setEmbeddedView(std::move(view)); }
    std::string archiveClassName() const override { return "TTTableViewItem"; }

protected:
    const char* viewKey() const override { return "view"; }
};
