#include <gtest/gtest.h>

#include <functional>

#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/styledtext/TTStyledNode.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableTextItem.h"

namespace {

std::shared_ptr<NSCoding> roundTrip(const NSCoding& item)
{
    TTTableItem::registerArchiveClasses();
    return NSKeyedUnarchiver::unarchiveObjectWithData(NSKeyedArchiver::archivedDataWithRootObject(item));
}

Value::Map encodedKeys(const NSCoding& item)
{
    NSKeyedArchiver coder;
    item.encodeWithCoder(coder);
    return coder.encodedMap();
}

UIImagePtr anImage()
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 4), false, 1);
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

// A view that can be archived: its tag is its state.
class TaggedView : public UIView, public NSCoding {
public:
    std::string archiveClassName() const override { return "TaggedView"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override { coder.encodeInteger(tag(), "tag"); }
    static void registerClass()
    {
        NSKeyedUnarchiver::registerClass("TaggedView", [](NSKeyedUnarchiver& coder) -> std::shared_ptr<NSCoding> {
            auto view = std::make_shared<TaggedView>();
            view->setTag(static_cast<int>(coder.decodeInteger("tag")));
            return view;
        });
    }
};

}  // namespace

TEST(TableItems, FactoriesMakeTheClassTheyAreAskedFor)
{
    auto button = TTTableTextItem::itemWithText<TTTableButton>("Send", "app://send");
    EXPECT_EQ(button->archiveClassName(), "TTTableButton");
    EXPECT_EQ(button->text(), "Send");
    EXPECT_EQ(button->URL(), "app://send");
    EXPECT_TRUE(button->accessoryURL().empty());

    auto more = TTTableCaptionItem::itemWithText<TTTableMoreButton>("Load more", "20 of 40");
    EXPECT_FALSE(more->isLoading());
    EXPECT_EQ(more->caption(), "20 of 40");

    auto styled = std::make_shared<TTTableStyledTextItem>();
    EXPECT_EQ(styled->margin(), (UIEdgeInsets{0, 0, 0, 0}));
    EXPECT_EQ(styled->padding(), (UIEdgeInsets{6, 6, 6, 6}));
}

// Each item is archived and read back; the check says what must come back and what must not.
TEST(TableItems, ArchivedItemsComeBackWithTheirArchivedFieldsOnly)
{
    struct Case {
        const char* name;
        std::function<TTTableItemPtr()> make;
        std::function<void(TTTableItem&)> check;
    };
    const NSDate when = NSDate::dateWithTimeIntervalSince1970(1700000000);
    const Case cases[] = {
        {"subtitle loses its default image",
         [] { return TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("Al-Fatihah", std::string("The Opening"), "bundle://1.png", anImage(), "app://1"); },
         [](TTTableItem& i) {
             auto& s = dynamic_cast<TTTableSubtitleItem&>(i);
             EXPECT_EQ(s.text(), "Al-Fatihah");
             EXPECT_EQ(s.subtitle(), std::optional<std::string>("The Opening"));
             EXPECT_EQ(s.imageURL(), "bundle://1.png");
             EXPECT_EQ(s.URL(), "app://1");
             EXPECT_EQ(s.defaultImage(), nullptr);
         }},
        {"an empty subtitle stays present",
         [] { return TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("x", std::string(), {}, nullptr); },
         [](TTTableItem& i) { EXPECT_EQ(dynamic_cast<TTTableSubtitleItem&>(i).subtitle(), std::optional<std::string>("")); }},
        {"the accessory URL is not archived",
         [] { return TTTableTextItem::itemWithText<TTTableLink>("Help", "app://help", "app://info"); },
         [](TTTableItem& i) {
             auto& l = dynamic_cast<TTTableLink&>(i);
             EXPECT_EQ(l.URL(), "app://help");
             EXPECT_TRUE(l.accessoryURL().empty());
         }},
        {"activity text is not archived",
         [] { return TTTableActivityItem::itemWithText<TTTableActivityItem>("Loading..."); },
         [](TTTableItem& i) { EXPECT_TRUE(dynamic_cast<TTTableActivityItem&>(i).text().empty()); }},
        {"a more button is not loading",
         [] {
             auto more = TTTableCaptionItem::itemWithText<TTTableMoreButton>("More", "1 of 2");
             more->setIsLoading(true);
             return more;
         },
         [](TTTableItem& i) {
             auto& m = dynamic_cast<TTTableMoreButton&>(i);
             EXPECT_FALSE(m.isLoading());
             EXPECT_EQ(m.text(), "More");
             EXPECT_EQ(m.caption(), "1 of 2");
         }},
        {"a message keeps every field",
         [when] { return TTTableMessageItem::itemWithTitle<TTTableMessageItem>("Title", "Caption", "Body", when, "bundle://m.png", "app://m"); },
         [when](TTTableItem& i) {
             auto& m = dynamic_cast<TTTableMessageItem&>(i);
             EXPECT_EQ(m.title(), "Title");
             EXPECT_EQ(m.caption(), "Caption");
             EXPECT_EQ(m.text(), "Body");
             ASSERT_TRUE(m.timestamp().has_value());
             EXPECT_DOUBLE_EQ(m.timestamp()->timeIntervalSince1970(), when.timeIntervalSince1970());
             EXPECT_EQ(m.imageURL(), "bundle://m.png");
         }},
        {"an image item loses its style and default image",
         [] {
             return TTTableImageItem::itemWithText<TTTableRightImageItem>(
                 "Cover", "bundle://c.png", anImage(), TTImageStyle::styleWithImageURL("", nullptr), "app://c");
         },
         [](TTTableItem& i) {
             auto& m = dynamic_cast<TTTableRightImageItem&>(i);
             EXPECT_EQ(m.imageURL(), "bundle://c.png");
             EXPECT_EQ(m.imageStyle(), nullptr);
             EXPECT_EQ(m.defaultImage(), nullptr);
         }},
        {"styled text comes back as the same mark-up, insets at their defaults",
         [] {
             auto item = TTTableStyledTextItem::itemWithText<TTTableStyledTextItem>(
                 TTStyledText::textFromXHTML("Read <b>this</b> <a href=\"app://x\">link</a>"), "app://s");
             item->setMargin({1, 2, 3, 4});
             item->setPadding({0, 0, 0, 0});
             return item;
         },
         [](TTTableItem& i) {
             auto& s = dynamic_cast<TTTableStyledTextItem&>(i);
             ASSERT_NE(s.text(), nullptr);
             EXPECT_EQ(s.text()->rootNode()->outerHTML(),
                       TTStyledText::textFromXHTML("Read <b>this</b> <a href=\"app://x\">link</a>")->rootNode()->outerHTML());
             EXPECT_EQ(s.margin(), (UIEdgeInsets{0, 0, 0, 0}));
             EXPECT_EQ(s.padding(), (UIEdgeInsets{6, 6, 6, 6}));
             EXPECT_EQ(s.URL(), "app://s");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTTableItemPtr original = c.make();
        auto copy = std::dynamic_pointer_cast<TTTableItem>(roundTrip(*original));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->archiveClassName(), original->archiveClassName());
        c.check(*copy);
    }
}

TEST(TableItems, FieldsThatAreNotSetAreLeftOutOfTheArchive)
{
    auto item = TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("Only text", std::nullopt, {}, nullptr);
    Value::Map keys = encodedKeys(*item);
    EXPECT_EQ(keys.count("text"), 1u);
    for (const char* absent : {"subtitle", "imageURL", "URL"}) EXPECT_EQ(keys.count(absent), 0u) << absent;

    auto copy = std::dynamic_pointer_cast<TTTableSubtitleItem>(roundTrip(*item));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->subtitle().has_value());
    EXPECT_TRUE(copy->URL().empty());
}

TEST(TableItems, ViewsAreArchivedWhenTheyCanBe)
{
    TaggedView::registerClass();
    auto view = std::make_shared<TaggedView>();
    view->setTag(42);
    auto item = TTTableViewItem::itemWithCaption<TTTableViewItem>("Colour", view);
    Value::Map keys = encodedKeys(*item);
    EXPECT_EQ(keys.count("caption"), 1u);
    EXPECT_EQ(keys.count("view"), 1u);

    auto copy = std::dynamic_pointer_cast<TTTableViewItem>(roundTrip(*item));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->caption(), "Colour");
    auto restored = std::dynamic_pointer_cast<TaggedView>(copy->view());
    ASSERT_NE(restored, nullptr);
    EXPECT_NE(restored, view);
    EXPECT_EQ(restored->tag(), 42);

    // A view that cannot be archived is left out, and says so, instead of failing the archive.
    LogCapture log;
    auto control = TTTableControlItem::itemWithCaption<TTTableControlItem>("Plain", std::make_shared<UIView>());
    auto controlCopy = std::dynamic_pointer_cast<TTTableControlItem>(roundTrip(*control));
    ASSERT_NE(controlCopy, nullptr);
    EXPECT_EQ(controlCopy->caption(), "Plain");
    EXPECT_EQ(controlCopy->control(), nullptr);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("not archivable"), std::string::npos);
}
