#include "platform/foundation/NSKeyedArchiver.h"

#include <gtest/gtest.h>

#include "FoundationTestSupport.h"
#include "platform/foundation/Log.h"

namespace {

// A linked chain like the style archives: each link codes its fields and its "next".
class Link : public NSCoding {
public:
    std::string name;
    double width = 0;
    long long count = 0;
    bool flag = false;
    Value::Bytes png;
    std::shared_ptr<Link> next;
    std::vector<std::shared_ptr<NSCoding>> children;

    std::string archiveClassName() const override { return "Link"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override
    {
        coder.encodeString(name, "name");
        coder.encodeDouble(width, "width");
        coder.encodeInteger(count, "count");
        coder.encodeBool(flag, "flag");
        if (!png.empty())
            coder.encodeData(png, "image");
        coder.encodeObject(next, "next");
        if (!children.empty())
            coder.encodeObjects(children, "children");
    }
    static std::shared_ptr<NSCoding> make(NSKeyedUnarchiver& coder)
    {
        auto l = std::make_shared<Link>();
        l->name = coder.decodeString("name").value_or("");
        l->width = coder.decodeDouble("width");
        l->count = coder.decodeInteger("count");
        l->flag = coder.decodeBool("flag");
        l->png = coder.decodeData("image").value_or(Value::Bytes{});
        l->next = coder.decodeObjectOfClass<Link>("next");
        l->children = coder.decodeObjects("children");
        return l;
    }
};

class KeyedArchiverTest : public ::testing::Test {
protected:
    void SetUp() override { NSKeyedUnarchiver::registerClass("Link", &Link::make); }
};

TEST_F(KeyedArchiverTest, ChainRoundTripsThroughBytesAndFile)
{
    Link root;
    root.name = "fill";
    root.width = 1.5;
    root.count = -3;
    root.flag = true;
    root.png = {0x89, 'P', 'N', 'G'};
    root.next = std::make_shared<Link>();
    root.next->name = "\xD8\xB4 stroke";
    root.children = {std::make_shared<Link>(), std::make_shared<Link>()};

    auto copy = std::dynamic_pointer_cast<Link>(NSKeyedUnarchiver::copyByArchiving(root));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->name, "fill");
    EXPECT_DOUBLE_EQ(copy->width, 1.5);
    EXPECT_EQ(copy->count, -3);
    EXPECT_TRUE(copy->flag);
    EXPECT_EQ(copy->png, root.png);
    ASSERT_TRUE(copy->next);
    EXPECT_EQ(copy->next->name, "\xD8\xB4 stroke");
    EXPECT_FALSE(copy->next->next); // absent key reads as null
    EXPECT_EQ(copy->children.size(), 2u);
    EXPECT_NE(copy.get(), &root);

    const std::string path = freshTestFolder() + "/fill.ttstyle";
    ASSERT_TRUE(NSKeyedArchiver::archiveRootObject(root, path));
    auto fromFile = std::dynamic_pointer_cast<Link>(NSKeyedUnarchiver::unarchiveObjectWithFile(path));
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->next->name, "\xD8\xB4 stroke");
    EXPECT_FALSE(NSKeyedUnarchiver::unarchiveObjectWithFile(path + ".missing"));
}

TEST_F(KeyedArchiverTest, AbsentKeysReadAsEmpty)
{
    NSKeyedUnarchiver coder(Value::Map{{"$class", Value("Link")}, {"n", Value("7")}});
    EXPECT_EQ(coder.className(), "Link");
    EXPECT_FALSE(coder.containsValueForKey("x"));
    EXPECT_EQ(coder.decodeInteger("x"), 0);
    EXPECT_FALSE(coder.decodeBool("x"));
    EXPECT_EQ(coder.decodeString("x"), std::nullopt);
    EXPECT_EQ(coder.decodeInteger("n"), 7);
    EXPECT_FALSE(coder.decodeObject("n")); // a string is not an object
    EXPECT_TRUE(coder.decodeObjects("x").empty());
}

TEST_F(KeyedArchiverTest, DamagedOrForeignArchivesFailWithALogLine)
{
    Link root;
    root.name = "x";
    root.next = std::make_shared<Link>();
    const Value::Bytes good = NSKeyedArchiver::archivedDataWithRootObject(root);
    LogCapture capture;
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(NSKeyedUnarchiver::unarchiveObjectWithData(Value::Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n))));
    EXPECT_TRUE(capture.contains("damaged"));
    EXPECT_TRUE(capture.contains("Not a keyed archive"));

    // An unknown class name anywhere gives a logged null, not a crash.
    NSKeyedArchiver foreign;
    class Other : public NSCoding {
        std::string archiveClassName() const override { return "Unregistered"; }
        void encodeWithCoder(NSKeyedArchiver&) const override {}
    } other;
    EXPECT_FALSE(NSKeyedUnarchiver::copyByArchiving(other));
    EXPECT_TRUE(capture.contains("unknown class Unregistered"));

    // A chain too long to be a real archive stops at the depth limit.
    auto head = std::make_shared<Link>();
    auto tail = head;
    for (int i = 0; i < 200; ++i) {
        tail->next = std::make_shared<Link>();
        tail = tail->next;
    }
    auto copy = std::dynamic_pointer_cast<Link>(NSKeyedUnarchiver::copyByArchiving(*head));
    ASSERT_TRUE(copy);
    int length = 0;
    for (auto l = copy; l; l = l->next)
        ++length;
    EXPECT_LT(length, 200);
    EXPECT_TRUE(capture.contains("nested deeper"));
}

} // namespace
