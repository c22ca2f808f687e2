#include "tests/toolkit/tables/TableTestSupport.h"
#include "toolkit/controls/TTTextEditor.h"
#include "toolkit/tables/TTSectionedDataSource.h"
#include "toolkit/tables/TTTableCellClasses.h"
#include "toolkit/tables/TTTableEmbeddedItems.h"
#include "toolkit/tables/TTTableSubtitleItemCell.h"
#include "toolkit/tables/TTTableTextItem.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITextView.h"

namespace {

std::shared_ptr<TTTableTextItem> text(const std::string& t, const std::string& url = {})
{
    return TTTableTextItem::itemWithText<TTTableTextItem>(t, url);
}

std::vector<std::string> rowTexts(TTTableViewDataSource& source, int section = 0)
{
    std::vector<std::string> texts;
    for (int row = 0; row < source.numberOfRowsInSection(nullptr, section); ++row)
        texts.push_back(source.labelForObject(nullptr, source.objectForRowAtIndexPath(nullptr, {section, row})));
    return texts;
}

class CountingModelDelegate : public TTModelDelegate {
public:
    void modelDidStartLoad(TTModel*) override { events += "s"; }
    void modelDidFinishLoad(TTModel*) override { events += "f"; }
    std::string events;
};

class LoadRecordingModel : public TTModel {
public:
    void load(int cachePolicy, bool more) override { loads.emplace_back(cachePolicy, more); }
    std::vector<std::pair<int, bool>> loads;
};

class DataSourcesTest : public TableTest {};

}  // namespace

TEST(DataSources, ABaseDataSourceIsItsOwnLoadedModelUntilGivenOne)
{
    TTTableViewDataSource source;
    EXPECT_EQ(source.model(), &source);
    EXPECT_TRUE(source.model()->isLoaded());
    EXPECT_FALSE(source.model()->isLoading());
    EXPECT_FALSE(source.model()->isOutdated());
    auto model = std::make_shared<LoadRecordingModel>();
    source.setModel(model);
    EXPECT_EQ(source.model(), model.get());

    TTTableViewInterstialDataSource interstitial;
    interstitial.setModel(model);
    EXPECT_EQ(interstitial.model(), &interstitial);
    EXPECT_TRUE(interstitial.isLoading());
    EXPECT_FALSE(interstitial.isLoaded());
    EXPECT_EQ(interstitial.numberOfRowsInSection(nullptr, 0), 0);
}

TEST(DataSources, ListsFindItemsByObjectAndByUserInfoIdentity)
{
    TTListDataSource empty;
    EXPECT_EQ(empty.numberOfRowsInSection(nullptr, 0), 0);
    EXPECT_TRUE(empty.items().empty());

    auto first = text("one");
    auto second = text("two");
    auto info = std::make_shared<std::string>("key");
    second->setUserInfo(info);
    auto list = TTListDataSource::dataSourceWithItems({first, second});
    EXPECT_EQ(list->numberOfRowsInSection(nullptr, 3), 2);
    EXPECT_EQ(list->indexPathForObject(nullptr, second), (NSIndexPath{0, 1}));
    EXPECT_EQ(list->indexPathForObject(nullptr, text("two")), std::nullopt);
    EXPECT_EQ(list->indexPathOfItemWithUserInfo(info.get()), (NSIndexPath{0, 1}));
    auto equalButDistinct = std::make_shared<std::string>("key");
    EXPECT_EQ(list->indexPathOfItemWithUserInfo(equalButDistinct.get()), std::nullopt);
    EXPECT_EQ(list->labelForObject(nullptr, first), "one");
    // Rows beyond the list are nothing rather than a read past its end.
    EXPECT_TRUE(list->objectForRowAtIndexPath(nullptr, {0, 9}).isNull());
}

TEST(DataSources, SectionedSourcesSplitObjectsAtTitles)
{
    auto stray = text("stray");
    auto i1 = text("i1"), i2 = text("i2"), i3 = text("i3");
    auto source = TTSectionedDataSource::dataSourceWithObjects({stray, "A", i1, i2, "B", i3});
    EXPECT_EQ(source->numberOfSectionsInTableView(nullptr), 2);
    EXPECT_EQ(source->titleForHeaderInSection(nullptr, 1), "B");
    EXPECT_EQ(rowTexts(*source, 0), (std::vector<std::string>{"i1", "i2"}));
    EXPECT_EQ(rowTexts(*source, 1), (std::vector<std::string>{"i3"}));
    EXPECT_EQ(source->indexPathForObject(nullptr, i3), (NSIndexPath{1, 0}));
    EXPECT_EQ(source->indexPathForObject(nullptr, stray), std::nullopt);

    auto arrays = TTSectionedDataSource::dataSourceWithArrays({"X", TTSectionedDataSource::Items{i1}, "Y",
                                                               TTSectionedDataSource::Items{i2, i3}});
    EXPECT_EQ(rowTexts(*arrays, 1), (std::vector<std::string>{"i2", "i3"}));

    TTSectionedDataSource untitled;
    untitled.setFlatItems({i1, i2});
    EXPECT_EQ(untitled.numberOfSectionsInTableView(nullptr), 1);
    EXPECT_EQ(untitled.titleForHeaderInSection(nullptr, 0), "");
    EXPECT_EQ(untitled.numberOfRowsInSection(nullptr, 0), 2);
    EXPECT_EQ(untitled.lettersForSectionsWithSearch(true, true), std::nullopt);
    TTSectionedDataSource none({}, {});
    EXPECT_EQ(none.numberOfSectionsInTableView(nullptr), 0);
}

TEST(DataSources, IndexLettersComeFromTitles)
{
    TTSectionedDataSource source({{}, {}, {}}, {"Apple", "", "Avocado"});
    EXPECT_EQ(source.lettersForSectionsWithSearch(false, false), (std::vector<std::string>{"A", "A"}));
    EXPECT_EQ(source.lettersForSectionsWithSearch(true, true),
              (std::vector<std::string>{UITableViewIndexSearch, "A", "A", "#"}));
    auto all = TTTableViewDataSource::lettersForSectionsWithSearch(true, true);
    ASSERT_EQ(all.size(), 28u);
    EXPECT_EQ(all.front(), UITableViewIndexSearch);
    EXPECT_EQ(all[1], "A");
    EXPECT_EQ(all[26], "Z");
    EXPECT_EQ(all.back(), "#");
}

TEST(DataSources, RemovingTheLastRowRemovesTheSectionOnlyWhenAsked)
{
    TTSectionedDataSource source({{text("a")}, {text("b")}}, {"A", "B"});
    source.removeItemAtIndexPath({0, 0});
    EXPECT_EQ(source.numberOfSectionsInTableView(nullptr), 2);
    EXPECT_EQ(source.numberOfRowsInSection(nullptr, 0), 0);
    EXPECT_TRUE(source.removeItemAtIndexPath({1, 0}, true));
    EXPECT_EQ(*source.sections(), (std::vector<std::string>{"A"}));
    // Paths beyond the arrays leave everything as it was.
    EXPECT_FALSE(source.removeItemAtIndexPath({5, 0}, true));
    EXPECT_FALSE(source.removeItemAtIndexPath({0, 3}, true));
    EXPECT_EQ(source.numberOfSectionsInTableView(nullptr), 1);
}

TEST(DataSources, EachObjectGetsItsCellClass)
{
    const std::pair<TTTableObject, const char*> cases[] = {
        {TTTableCaptionItem::itemWithText<TTTableMoreButton>("more", ""), "TTTableMoreButtonCell"},
        {TTTableCaptionItem::itemWithText<TTTableSubtextItem>("t", "c"), "TTTableSubtextItemCell"},
        {TTTableCaptionItem::itemWithText<TTTableRightCaptionItem>("t", "c"), "TTTableRightCaptionItemCell"},
        {TTTableCaptionItem::itemWithText<TTTableCaptionItem>("t", "c"), "TTTableCaptionItemCell"},
        {TTTableSubtitleItem::itemWithText<TTTableSubtitleItem>("t", std::nullopt, {}, nullptr), "TTTableSubtitleItemCell"},
        {TTTableMessageItem::itemWithTitle<TTTableMessageItem>("t", "c", "x", std::nullopt), "TTTableMessageItemCell"},
        {TTTableImageItem::itemWithText<TTTableRightImageItem>("t", "", nullptr, nullptr), "TTTableImageItemCell"},
        {TTTableStyledTextItem::itemWithText<TTTableStyledTextItem>(nullptr), "TTStyledTextTableItemCell"},
        {TTTableActivityItem::itemWithText<TTTableActivityItem>("busy"), "TTTableActivityItemCell"},
        {TTTableControlItem::itemWithCaption<TTTableControlItem>("c", nullptr), "TTTableControlCell"},
        {TTTableViewItem::itemWithCaption<TTTableViewItem>("c", nullptr), "TTTableFlushViewCell"},
        {TTTableTextItem::itemWithText<TTTableButton>("b"), "TTTableTextItemCell"},
        {TTStyledText::textFromXHTML("x"), "TTStyledTextTableCell"},
        {std::make_shared<UISwitch>(), "TTTableControlCell"},
        {std::make_shared<UITextView>(CGRectZero), "TTTableControlCell"},
        {std::make_shared<TTTextEditor>(), "TTTableControlCell"},
        {std::make_shared<UIView>(), "TTTableFlushViewCell"},
        {"a string", "TTTableViewCell"},
    };
    TTTableViewDataSource source;
    for (const auto& [object, cellClass] : cases)
        EXPECT_STREQ(source.cellClassForObject(nullptr, object).name, cellClass) << object.description();
}

TEST(DataSources, ASearchNarrowsTheRowsAndTellsTheModelsDelegates)
{
    TTSearchListDataSource source({text("Al-Fatihah"), text("Al-Baqarah"), text("Yasin"), text("Al-Kahf")});
    CountingModelDelegate watcher;
    source.addDelegate(&watcher);
    source.search("al-");
    EXPECT_EQ(rowTexts(source), (std::vector<std::string>{"Al-Fatihah", "Al-Baqarah", "Al-Kahf"}));
    source.search("KAHF");
    EXPECT_EQ(rowTexts(source), (std::vector<std::string>{"Al-Kahf"}));
    source.search("nothing like it");
    EXPECT_TRUE(rowTexts(source).empty());
    source.search("");
    EXPECT_EQ(rowTexts(source).size(), 4u);
    EXPECT_EQ(watcher.events, "sfsfsfsf");
    source.removeDelegate(&watcher);
}

TEST_F(DataSourcesTest, SearchingThroughATableShowsTheMatches)
{
    auto source = std::make_shared<TTSearchListDataSource>(
        std::vector<TTTableObject>{text("Al-Fatihah"), text("Al-Baqarah"), text("Yasin")});
    TTTableView& t = show(source);
    EXPECT_EQ(t.numberOfRowsInSection(0), 3);
    source->search("yas");
    t.reloadData();
    backend.advance(10);
    ASSERT_EQ(t.numberOfRowsInSection(0), 1);
    UITableViewCell* cell = t.cellForRowAtIndexPath({0, 0});
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->textLabel()->text(), "Yasin");
}

TEST_F(DataSourcesTest, AnIndexTitleFindsTheSectionThatBeginsWithIt)
{
    auto source = std::make_shared<TTSectionedDataSource>(
        std::vector<TTSectionedDataSource::Items>{{text("a")}, {text("b")}, {text("d")}},
        std::vector<std::string>{"Alif", "Ba", "Dal"});
    TTTableView& t = show(source);
    EXPECT_EQ(source->sectionForSectionIndexTitle(&t, "B", 0), 1);
    EXPECT_EQ(source->sectionForSectionIndexTitle(&t, "C", 1), 1);
    EXPECT_EQ(source->sectionForSectionIndexTitle(&t, "C", 7), 2);
    t.setTableHeaderView(std::make_shared<UIView>(CGRectMake(0, 0, 320, 40)));
    EXPECT_EQ(source->sectionForSectionIndexTitle(&t, UITableViewIndexSearch, 0), -1);
}

TEST_F(DataSourcesTest, SelectingRowsOpensTheirURLsAndTellsTheController)
{
    auto model = std::make_shared<LoadRecordingModel>();
    controller.modelToLoad = model.get();
    auto more = TTTableCaptionItem::itemWithText<TTTableMoreButton>("Load more", "");
    TTTableView& t = show({TTTableTextItem::itemWithText<TTTableButton>("Share", "app://share"),
                           TTTableTextItem::itemWithText<TTTableButton>("Nothing"), more,
                           TTTableTextItem::itemWithText<TTTableTextItem>("Info", "app://row", "app://info")});
    for (int row = 0; row < 3; ++row) {
        t.userSelectRowAtIndexPath({0, row});
        backend.advance(500);
        EXPECT_EQ(t.indexPathForSelectedRow(), std::nullopt) << row;
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"app://share"}));
    EXPECT_EQ(controller.selected, (std::vector<NSIndexPath>{{0, 0}, {0, 1}, {0, 2}}));
    EXPECT_TRUE(more->isLoading());
    auto* moreCell = dynamic_cast<TTTableMoreButtonCell*>(t.cellForRowAtIndexPath({0, 2}));
    ASSERT_NE(moreCell, nullptr);
    EXPECT_TRUE(moreCell->isAnimating());
    EXPECT_EQ(model->loads, (std::vector<std::pair<int, bool>>{{7, true}}));

    delegate.accessoryButtonTappedForRowWithIndexPath(&t, {0, 3});
    EXPECT_EQ(opened.back(), "app://info");
    controller.allowOpening = false;
    t.userSelectRowAtIndexPath({0, 3});
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(controller.selected.size(), 4u);
}

TEST_F(DataSourcesTest, HeaderViewsAndHeightsForSections)
{
    auto source = std::make_shared<TTSectionedDataSource>(
        std::vector<TTSectionedDataSource::Items>{{text("a")}, {text("b")}}, std::vector<std::string>{"Meccan", ""});
    TTTableView& plain = show(source);
    // The default sheet has no header tint: only the plain variants make header views.
    EXPECT_EQ(delegate.viewForHeaderInSection(&plain, 0), nullptr);
    TTTableViewPlainDelegate plainDelegate(&controller);
    auto header = plainDelegate.viewForHeaderInSection(&plain, 0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(plainDelegate.viewForHeaderInSection(&plain, 1), nullptr);

    TTTableViewGroupedVarHeightDelegate grouped(&controller);
    EXPECT_EQ(grouped.heightForHeaderInSection(&plain, 0), 35);
    EXPECT_EQ(grouped.heightForHeaderInSection(&plain, 1), 1);
}
