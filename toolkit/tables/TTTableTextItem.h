#pragma once
// Items whose cells show them in the platform cell's own labels: text, caption, sub-text,
// subtitle, message and image items and the variants that only change how they look.

#include <optional>

#include "platform/foundation/NSDate.h"
#include "platform/graphics/UIImage.h"
#include "toolkit/style/TTStyle.h"
#include "toolkit/tables/TTTableItem.h"

class TTTableTextItem : public TTTableLinkedItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithText(std::string text, std::string URL = {}, std::string accessoryURL = {})
    {
        auto item = tt::makeItem<Item, TTTableTextItem>();
        item->setText(std::move(text));
        item->setURL(std::move(URL));
        item->setAccessoryURL(std::move(accessoryURL));
        return item;
    }

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }

    std::string archiveClassName() const override { return "TTTableTextItem"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    std::string text_;
};

// Plain variants: the same fields, a different look in their cell.
class TTTableLongTextItem : public TTTableTextItem {
public:
    std::string archiveClassName() const override { return "TTTableLongTextItem"; }
};
class TTTableGrayTextItem : public TTTableTextItem {
public:
    std::string archiveClassName() const override { return "TTTableGrayTextItem"; }
};
class TTTableSummaryItem : public TTTableTextItem {
public:
    std::string archiveClassName() const override { return "TTTableSummaryItem"; }
};
class TTTableLink : public TTTableTextItem {
public:
    std::string archiveClassName() const override { return "TTTableLink"; }
};
class TTTableButton : public TTTableTextItem {
public:
    std::string archiveClassName() const override { return "TTTableButton"; }
};

class TTTableCaptionItem : public TTTableTextItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithText(std::string text, std::string caption, std::string URL = {},
                                              std::string accessoryURL = {})
    {
        auto item = tt::makeItem<Item, TTTableCaptionItem>();
        item->setText(std::move(text));
        item->setCaption(std::move(caption));
        item->setURL(std::move(URL));
        item->setAccessoryURL(std::move(accessoryURL));
        return item;
    }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    std::string archiveClassName() const override { return "TTTableCaptionItem"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    std::string caption_;
};

class TTTableRightCaptionItem : public TTTableCaptionItem {
public:
    std::string archiveClassName() const override { return "TTTableRightCaptionItem"; }
};
class TTTableSubtextItem : public TTTableCaptionItem {
public:
    std::string archiveClassName() const override { return "TTTableSubtextItem"; }
};

// The "more" row at the end of a paged list; isLoading is not archived.
class TTTableMoreButton : public TTTableSubtextItem {
public:
    bool isLoading() const { return isLoading_; }
    void setIsLoading(bool loading) { isLoading_ = loading; }
    std::string archiveClassName() const override { return "TTTableMoreButton"; }

private:
    bool isLoading_ = false;
};

class TTTableSubtitleItem : public TTTableTextItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithText(std::string text, std::optional<std::string> subtitle, std::string imageURL,
                                              UIImagePtr defaultImage, std::string URL = {},
                                              std::string accessoryURL = {})
    {
        auto item = tt::makeItem<Item, TTTableSubtitleItem>();
        item->setText(std::move(text));
        item->setSubtitle(std::move(subtitle));
        item->setImageURL(std::move(imageURL));
        item->setDefaultImage(std::move(defaultImage));
        item->setURL(std::move(URL));
        item->setAccessoryURL(std::move(accessoryURL));
        return item;
    }

    // An empty but present subtitle still takes a line, so absence is its own state.
    const std::optional<std::string>& subtitle() const { return subtitle_; }
    void setSubtitle(std::optional<std::string> subtitle) { subtitle_ = std::move(subtitle); }
    const std::string& imageURL() const { return imageURL_; }
    void setImageURL(std::string url) { imageURL_ = std::move(url); }
    // Not archived.
    const UIImagePtr& defaultImage() const { return defaultImage_; }
    void setDefaultImage(UIImagePtr image) { defaultImage_ = std::move(image); }

    std::string archiveClassName() const override { return "TTTableSubtitleItem"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    std::optional<std::string> subtitle_;
    std::string imageURL_;
    UIImagePtr defaultImage_;
};

class TTTableMessageItem : public TTTableTextItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithTitle(std::string title, std::string caption, std::string text,
                                               std::optional<NSDate> timestamp, std::string imageURL = {},
                                               std::string URL = {})
    {
        auto item = tt::makeItem<Item, TTTableMessageItem>();
        item->setTitle(std::move(title));
        item->setCaption(std::move(caption));
        item->setText(std::move(text));
        item->setTimestamp(timestamp);
        item->setImageURL(std::move(imageURL));
        item->setURL(std::move(URL));
        return item;
    }

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    const std::optional<NSDate>& timestamp() const { return timestamp_; }
    void setTimestamp(std::optional<NSDate> timestamp) { timestamp_ = timestamp; }
    const std::string& imageURL() const { return imageURL_; }
    void setImageURL(std::string url) { imageURL_ = std::move(url); }

    std::string archiveClassName() const override { return "TTTableMessageItem"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    std::string title_;
    std::string caption_;
    std::optional<NSDate> timestamp_;
    std::string imageURL_;
};

class TTTableImageItem : public TTTableTextItem {
public:
    template <class Item>
    static std::shared_ptr<Item> itemWithText(std::string text, std::string imageURL, UIImagePtr defaultImage,
                                              TTStylePtr imageStyle, std::string URL = {})
    {
        auto item = tt::makeItem<Item, TTTableImageItem>();
        item->setText(std::move(text));
        item->setImageURL(std::move(imageURL));
        item->setDefaultImage(std::move(defaultImage));
        item->setImageStyle(std::move(imageStyle));
        item->setURL(std::move(URL));
        return item;
    }

    const std::string& imageURL() const { return imageURL_; }
    void setImageURL(std::string url) { imageURL_ = std::move(url); }
    // Neither is archived.
    const UIImagePtr& defaultImage() const { return defaultImage_; }
    void setDefaultImage(UIImagePtr image) { defaultImage_ = std::move(image); }
    const TTStylePtr& imageStyle() const { return imageStyle_; }
    void setImageStyle(TTStylePtr style) { imageStyle_ = std::move(style); }

    std::string archiveClassName() const override { return "TTTableImageItem"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void decodeWithCoder(NSKeyedUnarchiver& coder) override;

private:
    std::string imageURL_;
    UIImagePtr defaultImage_;
    TTStylePtr imageStyle_;
};

class TTTableRightImageItem : public TTTableImageItem {
public:
    std::string archiveClassName() const override { return "TTTableRightImageItem"; }
};
