#include <gtest/gtest.h>

#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UIPageControl.h"
#include "platform/ui/hosting/UISearchBar.h"
#include "platform/ui/hosting/UISegmentedControl.h"
#include "platform/ui/hosting/UISlider.h"
#include "platform/ui/hosting/UISwitch.h"
#include "platform/ui/hosting/UITextView.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

class ControlsTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        UIKeyboard::shared().reset();
    }
    void TearDown() override {
        UIKeyboard::shared().reset();
        UITest::TearDown();
    }
    // Counts value-changed events of a control.
    template <class C>
    int* countChanges(C& control) {
        auto n = std::make_shared<int>(0);
        counters.push_back(n);
        control.addAction([n](UIControl*, UIEvent*) { ++*n; }, UIControlEventValueChanged);
        return n.get();
    }
    std::vector<std::shared_ptr<int>> counters;
};

TEST_F(ControlsTest, SwitchFlipsOnTapAndReportsOnlyUserChanges) {
    auto sw = std::make_shared<UISwitch>(CGRectMake(100, 100, 10, 10));
    window->addSubview(sw);
    EXPECT_TRUE(near(sw->frame(), CGRectMake(100, 100, 94, 27)));
    int* changes = countChanges(*sw);
    sw->setOn(true, false);
    EXPECT_EQ(*changes, 0);
    backend.tap(CGPointMake(140, 112));
    backend.advance(300);
    EXPECT_FALSE(sw->isOn());
    EXPECT_EQ(*changes, 1);
    EXPECT_DOUBLE_EQ(sw->thumbPosition(), 0);
    backend.drag(CGPointMake(110, 112), CGPointMake(185, 112), 200, 5);  // slid across
    backend.advance(300);
    EXPECT_TRUE(sw->isOn());
    EXPECT_EQ(*changes, 2);
}

TEST_F(ControlsTest, SliderFollowsTheFingerWithinItsRange) {
    auto slider = std::make_shared<UISlider>(CGRectMake(10, 100, 223, 23));
    slider->setMinimumValue(0);
    slider->setMaximumValue(10);
    window->addSubview(slider);
    int* changes = countChanges(*slider);
    backend.drag(CGPointMake(10 + 11.5, 111), CGPointMake(10 + 11.5 + 100, 111), 200, 4);  // half the track
    EXPECT_NEAR(slider->value(), 5, 0.01);
    EXPECT_GE(*changes, 2);
    slider->setContinuous(false);
    *changes = 0;
    backend.drag(CGPointMake(121, 111), CGPointMake(400, 111), 200, 4);
    EXPECT_DOUBLE_EQ(slider->value(), 10);
    EXPECT_EQ(*changes, 1);
    slider->setValue(-3);
    EXPECT_DOUBLE_EQ(slider->value(), 0);
}

TEST_F(ControlsTest, SegmentedControlSelectsAndMomentaryForgets) {
    auto seg = std::make_shared<UISegmentedControl>(std::vector<std::string>{"Surah", "Juz"});
    seg->setFrame(CGRectMake(60, 100, 200, 30));
    seg->setSelectedSegmentIndex(0);
    window->addSubview(seg);
    int* changes = countChanges(*seg);
    backend.tap(CGPointMake(210, 115));
    EXPECT_EQ(seg->selectedSegmentIndex(), 1);
    backend.tap(CGPointMake(210, 115));  // already selected
    EXPECT_EQ(*changes, 1);
    seg->setMomentary(true);
    int seen = -2;
    seg->addAction([&](UIControl* c, UIEvent*) { seen = static_cast<UISegmentedControl*>(c)->selectedSegmentIndex(); },
                   UIControlEventValueChanged);
    backend.tap(CGPointMake(100, 115));
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(seg->selectedSegmentIndex(), UISegmentedControlNoSegment);
    seg->insertSegmentWithTitle("All", 0);
    EXPECT_EQ(seg->titleForSegmentAtIndex(1), "Surah");
}

TEST_F(ControlsTest, PageControlStepsOnePageTowardsTheTap) {
    auto pc = std::make_shared<UIPageControl>(CGRectMake(0, 400, 320, 36));
    pc->setNumberOfPages(2);
    window->addSubview(pc);
    int* changes = countChanges(*pc);
    backend.tap(CGPointMake(300, 418));
    EXPECT_EQ(pc->currentPage(), 1);
    backend.tap(CGPointMake(300, 418));  // no page beyond the last
    EXPECT_EQ(pc->currentPage(), 1);
    backend.tap(CGPointMake(20, 418));
    EXPECT_EQ(pc->currentPage(), 0);
    EXPECT_EQ(*changes, 2);
    pc->setCurrentPage(7);
    EXPECT_EQ(pc->currentPage(), 1);
}

TEST_F(ControlsTest, SearchBarReportsTypingSearchAndCancel) {
    struct Recorder : UISearchBarDelegate {
        std::vector<std::string> calls;
        void searchBarTextDidBeginEditing(UISearchBar*) override { calls.push_back("begin"); }
        void searchBarTextDidChange(UISearchBar*, const std::string& t) override { calls.push_back("change " + t); }
        void searchBarSearchButtonClicked(UISearchBar*) override { calls.push_back("search"); }
        void searchBarCancelButtonClicked(UISearchBar* b) override {
            calls.push_back("cancel");
            b->resignFirstResponder();
        }
        void searchBarTextDidEndEditing(UISearchBar*) override { calls.push_back("end"); }
    } recorder;
    auto bar = std::make_shared<UISearchBar>(CGRectMake(0, 0, 320, 44));
    bar->setDelegate(&recorder);
    bar->setShowsCancelButton(true);
    window->addSubview(bar);
    EXPECT_EQ(bar->subviews().front().get(), bar->backgroundView());
    backend.tap(CGPointMake(100, 22));
    backend.typeText("ab");
    backend.pressKey(UIResponder::KeyReturn);
    EXPECT_TRUE(bar->isFirstResponder());  // search does not close the keyboard by itself
    CGRect c = bar->cancelButton()->frame();
    backend.tap(CGPointMake(CGRectGetMidX(c), CGRectGetMidY(c)));
    std::vector<std::string> expected = {"begin", "change ab", "search", "cancel", "end"};
    EXPECT_EQ(recorder.calls, expected);
    EXPECT_EQ(bar->text(), "ab");
}

TEST_F(ControlsTest, TextViewGrowsWithItsText) {
    struct Recorder : UITextViewDelegate {
        int changes = 0;
        void textViewDidChange(UITextView*) override { ++changes; }
    } recorder;
    auto tv = std::make_shared<UITextView>(CGRectMake(0, 0, 320, 100));
    tv->setDelegate(&recorder);
    window->addSubview(tv);
    std::vector<double> heights;
    tv->setContentSizeChangeHandler([&](CGSize s) { heights.push_back(s.height); });
    backend.tap(CGPointMake(100, 50));
    ASSERT_TRUE(tv->isEditing());
    double start = tv->contentSize().height;
    for (int i = 0; i < 6; ++i) {
        backend.typeText("line");
        backend.pressKey(UIResponder::KeyReturn);
    }
    EXPECT_EQ(tv->text(), "line\nline\nline\nline\nline\nline\n");
    EXPECT_EQ(recorder.changes, 12);
    EXPECT_GT(tv->contentSize().height, start + 5 * 17);
    ASSERT_FALSE(heights.empty());
    EXPECT_DOUBLE_EQ(heights.back(), tv->contentSize().height);
    EXPECT_DOUBLE_EQ(tv->contentOffset().y, tv->maximumContentOffset().y);  // the end stays in view
}

}  // namespace
