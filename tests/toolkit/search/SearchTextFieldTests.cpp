#include <gtest/gtest.h>

#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "tests/toolkit/tablecontrollers/TableTestSupport.h"
#include "toolkit/search/TTSearchTextField.h"

namespace {

class PickRecorder : public TTSearchTextFieldDelegate {
 public:
  std::vector<std::string> picked;
  void textFieldDidSelectObject(TTSearchTextField*, const TTTableObject& object) override {
    if (auto* item = object.itemAs<TTTableTextItem>()) picked.push_back(item->text());
  }
};

class SearchTextFieldTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    screen = std::make_shared<UIViewController>();
    nav = show(screen);
    TTNavigatorHooks::shared().visibleViewController = [this] { return screen.get(); };
    field = std::make_shared<TTSearchTextField>(CGRectMake(10, 10, 300, 30));
    field->setBorderStyle(UITextBorderStyleRoundedRect);
    screen->view()->addSubview(field);
    source = std::make_shared<RecordingSearchSource>(chapterRows());
    field->setDataSource(source);
    field->setDelegate(&picks);
  }
  void TearDown() override {
    field.reset();
    ControllerTest::TearDown();
  }
  void tapField() {
    backend.tap(field->convertPointToView(CGPointMake(100, 15), nullptr));
    backend.advance(400);
  }
  // Keys that arrive within one turn of the run loop; the pending search runs a moment later.
  void typeInOneTurn(const std::vector<std::string>& keys) {
    for (const auto& key : keys) UIApplication::sharedApplication().handleText(key);
    backend.advance(20);
  }
  void type(const std::string& text) {
    backend.typeText(text);
    backend.advance(20);
  }

  std::shared_ptr<UIViewController> screen;
  std::shared_ptr<UINavigationController> nav;
  std::shared_ptr<TTSearchTextField> field;
  std::shared_ptr<RecordingSearchSource> source;
  PickRecorder picks;
};

TEST_F(SearchTextFieldTest, TypingSearchesOnceATurnAndDropsTheMatchesBelow) {
  tapField();
  ASSERT_TRUE(field->isEditing());
  source->searches.clear();
  typeInOneTurn({"a", "l", "-", "m"});
  EXPECT_EQ(source->searches, std::vector<std::string>{"al-m"});
  UITableView* table = field->tableView();
  ASSERT_EQ(table->superview(), screen->view());
  EXPECT_EQ(table->numberOfRowsInSection(0), 1);
  EXPECT_DOUBLE_EQ(table->frame().origin.y, CGRectGetMaxY(field->frame()) - 1);
  EXPECT_EQ(field->shadowView()->superview(), screen->view());

  backend.deleteBackward();
  backend.deleteBackward();
  backend.advance(20);
  EXPECT_EQ(source->searches.back(), "al");
  EXPECT_EQ(table->numberOfRowsInSection(0), 4);
  shootScreen(backend, "search-field-results.png");

  CGRect row = table->convertRectToView(table->rectForRowAtIndexPath({0, 2}), nullptr);
  backend.tap(CGPointMake(CGRectGetMidX(row), CGRectGetMidY(row)));
  EXPECT_EQ(picks.picked, std::vector<std::string>{"Al-Imran"});

  // Nothing found: the table goes.
  typeInOneTurn({"x", "y", "z"});
  EXPECT_EQ(table->superview(), nullptr);
  EXPECT_EQ(field->shadowView()->superview(), nullptr);
}

TEST_F(SearchTextFieldTest, OnDemandSearchesOnReturnAndOnClearing) {
  field->setSearchesAutomatically(false);
  EXPECT_EQ(field->returnKeyType(), UIReturnKeySearch);
  EXPECT_TRUE(field->enablesReturnKeyAutomatically());
  tapField();
  source->searches.clear();
  type("  yu\t");
  EXPECT_TRUE(source->searches.empty());
  backend.pressKey(UIResponder::KeyReturn);
  EXPECT_EQ(source->searches, std::vector<std::string>{"yu"});  // blanks trimmed
  EXPECT_TRUE(field->isEditing());
  ASSERT_NE(field->tableView()->superview(), nullptr);

  CGRect clear = field->clearButtonRectForBounds(field->bounds());
  backend.tap(field->convertPointToView(CGPointMake(CGRectGetMidX(clear), CGRectGetMidY(clear)), nullptr));
  backend.advance(20);
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(source->searches.back(), "");
}

TEST_F(SearchTextFieldTest, ReturnOnAnAutomaticFieldEndsEditingAndClears) {
  EXPECT_EQ(field->returnKeyType(), UIReturnKeyDone);
  tapField();
  type("maryam");
  ASSERT_NE(field->tableView()->superview(), nullptr);
  backend.pressKey(UIResponder::KeyReturn);
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(source->searches.back(), "");
  EXPECT_EQ(field->tableView()->superview(), nullptr);
}

TEST_F(SearchTextFieldTest, DarkScreenAndDoneButtonComeAndGoWithEditing) {
  auto before = std::make_shared<UIBarButtonItem>("Edit", UIBarButtonItemStyleBordered, nullptr);
  screen->navigationItem()->setRightBarButtonItem(before);
  field->setShowsDarkScreen(true);
  field->setShowsDoneButton(true);
  tapField();
  UIButton* dark = field->screenView();
  ASSERT_NE(dark, nullptr);
  EXPECT_EQ(dark->superview(), screen->view());
  EXPECT_DOUBLE_EQ(dark->alpha(), 1);
  UIBarButtonItem* done = screen->navigationItem()->rightBarButtonItem().get();
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(done->systemItem(), std::optional<UIBarButtonSystemItem>(UIBarButtonSystemItemDone));
  shootScreen(backend, "search-field-dark-screen.png");

  // A tap on the dimmed screen (above the keyboard) ends editing.
  backend.tap(CGPointMake(160, 200));
  backend.advance(400);
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(dark->superview(), nullptr);  // removed once faded out
  EXPECT_EQ(screen->navigationItem()->rightBarButtonItem(), before);

  tapField();
  EXPECT_EQ(field->screenView(), dark);  // the same screen comes back
  EXPECT_EQ(dark->superview(), screen->view());
}

TEST_F(SearchTextFieldTest, ResultsNeverGetANegativeHeight) {
  field->setFrame(CGRectMake(10, 380, 300, 30));
  CGRect withKeyboard = field->rectForSearchResults(true);
  EXPECT_DOUBLE_EQ(withKeyboard.size.height, 0);
  CGRect without = field->rectForSearchResults(false);
  EXPECT_GT(without.size.height, 0);
  EXPECT_DOUBLE_EQ(without.origin.y, 380 + 30 - 1);
}

TEST_F(SearchTextFieldTest, NoDataSourceNoSearchAndNoResults) {
  field->setDataSource(nullptr);
  source->searches.clear();
  tapField();
  type("al");
  EXPECT_TRUE(source->searches.empty());
  EXPECT_EQ(field->tableView()->superview(), nullptr);
  // A model that announces after the field let it go reaches nobody.
  source->search("yusuf");
  EXPECT_EQ(field->tableView()->superview(), nullptr);
}

}  // namespace
