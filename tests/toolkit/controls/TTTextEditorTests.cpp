#include <gtest/gtest.h>

#include "platform/text/StringDrawing.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/TTTextEditor.h"

namespace {
class TTTextEditorTest : public ControlsTest {
protected:
    // An editor across the window, laid out at its one-line height.
    std::shared_ptr<TTTextEditor> addEditor() {
        auto editor = addView<TTTextEditor>(*window, CGRectMake(0, 20, 320, 0));
        editor->setBackgroundColor(UIColor::colorWithRed(0.93, 0.95, 1, 1));
        editor->setFrame(CGRectMake(0, 20, 320, editor->sizeThatFits(CGSizeMake(320, 0)).height));
        editor->layoutIfNeeded();
        return editor;
    }
    // One measured line of the editor's font.
    CGFloat line(const TTTextEditor& editor) { return sizeWithFont("M", *editor.font()).height; }
};

struct RecordingEditorDelegate : TTTextEditorDelegate {
    std::vector<std::string> events;
    std::vector<CGFloat> resizes;
    std::optional<bool> allowResize, allowReturn;
    void textEditorDidBeginEditing(TTTextEditor*) override { events.push_back("begin"); }
    void textEditorDidEndEditing(TTTextEditor*) override { events.push_back("end"); }
    void textEditorDidChange(TTTextEditor*) override { events.push_back("change"); }
    std::optional<bool> textEditorShouldReturn(TTTextEditor*) override { return allowReturn; }
    std::optional<bool> textEditorShouldResizeBy(TTTextEditor*, CGFloat by) override {
        resizes.push_back(by);
        return allowResize;
    }
};

// Words enough for the given number of wrapped lines at the editor's text width.
std::string linesOfText(const TTTextEditor& editor, int lines) {
    std::string text;
    CGFloat width = editor.frame().size.width - 31;
    while (true) {
        std::string next = text.empty() ? "word" : text + " word";
        CGFloat h = sizeWithFont(next, *editor.font(), CGSizeMake(width, 1e9), UILineBreakModeWordWrap).height;
        if (h > lines * sizeWithFont("M", *editor.font()).height + 0.5) return text;
        text = next;
    }
}
}  // namespace

TEST_F(TTTextEditorTest, HeightFollowsTheLinesWithinTheLimits) {
    auto editor = addEditor();
    CGFloat lh = line(*editor);
    struct Case {
        const char* what;
        int lines;  // of wrapped text; 0 for an empty text
        const char* suffix;
        bool extraLine;
        int minLines, maxLines;
        CGFloat expectedLines;
        bool overflowed;
    } cases[] = {
        {"empty measures as one M", 0, "", false, 0, 0, 1, false},
        {"two lines", 2, "", false, 0, 0, 2, false},
        {"a final line feed adds a line", 1, "\n", false, 0, 0, 2, false},
        {"and the extra line one more", 1, "\n", true, 0, 0, 3, false},
        {"the minimum raises", 1, "", false, 3, 0, 3, false},
        {"five lines under a maximum of three", 5, "", false, 0, 3, 3, true},
        {"three lines at a maximum of three", 3, "", false, 0, 3, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor->setMinNumberOfLines(c.minLines);
        editor->setMaxNumberOfLines(c.maxLines);
        editor->setShowsExtraLine(c.extraLine);
        editor->setAutoresizesToText(false);
        editor->setText((c.lines ? linesOfText(*editor, c.lines) : "") + c.suffix);
        editor->textField().setHidden(false);
        bool overflowed = false;
        int lines = 0;
        EXPECT_NEAR(editor->heightThatFits(&overflowed, &lines), c.expectedLines * lh + 18, 0.5);
        EXPECT_EQ(overflowed, c.overflowed);
        EXPECT_EQ(lines, std::max(1, c.lines));
    }
}

TEST_F(TTTextEditorTest, TypingGrowsTheEditorToItsLimitAndSwapsControlsQuietly) {
    auto editor = addEditor();
    RecordingEditorDelegate delegate;
    editor->setDelegate(&delegate);
    editor->setMaxNumberOfLines(3);
    CGFloat lh = line(*editor);
    CGFloat oneLine = editor->frame().size.height;
    EXPECT_NEAR(oneLine, lh + 18, 0.5);

    ASSERT_TRUE(editor->becomeFirstResponder());
    EXPECT_TRUE(editor->isEditing());
    EXPECT_FALSE(editor->textView());

    std::string twoLines = linesOfText(*editor, 2);
    std::string firstLine = linesOfText(*editor, 1);
    backend.typeText(firstLine);
    EXPECT_EQ(editor->frame().size.height, oneLine);
    EXPECT_EQ(&editor->activeTextField(), &editor->textField());

    // The word that wraps turns the field into the multi-line view, which keeps the focus.
    backend.typeText(twoLines.substr(firstLine.size()));
    ASSERT_TRUE(editor->textView());
    EXPECT_EQ(&editor->activeTextField(), editor->textView());
    EXPECT_TRUE(editor->textView()->isFirstResponder());
    EXPECT_EQ(editor->text(), twoLines);
    EXPECT_NEAR(editor->frame().size.height, 2 * lh + 18, 0.5);
    shot("tttexteditor-two-lines");

    // More text stops at three lines and scrolls inside.
    backend.typeText(linesOfText(*editor, 6).substr(twoLines.size()));
    // The view scrolls once it knows it overflows: from the next keystroke on.
    backend.typeText(" end");
    EXPECT_NEAR(editor->frame().size.height, 3 * lh + 18, 0.5);
    EXPECT_TRUE(editor->overflowed());
    EXPECT_TRUE(editor->textView()->overflowed());
    EXPECT_TRUE(editor->textView()->isScrollEnabled());
    EXPECT_GT(editor->textView()->contentOffset().y, 0);
    shot("tttexteditor-limit");

    // Emptied, it is one line again, in the field, still focused.
    editor->setText("");
    backend.advance(10);
    EXPECT_EQ(&editor->activeTextField(), &editor->textField());
    EXPECT_TRUE(editor->textField().isFirstResponder());
    EXPECT_NEAR(editor->frame().size.height, oneLine, 0.5);

    // Every resize was asked about; the delegate saw one begin and never an end.
    EXPECT_NEAR(delegate.resizes.front(), lh, 0.5);
    EXPECT_EQ(std::count(delegate.events.begin(), delegate.events.end(), "begin"), 1);
    EXPECT_EQ(std::count(delegate.events.begin(), delegate.events.end(), "end"), 0);
    EXPECT_TRUE(editor->isEditing());
    editor->resignFirstResponder();
    EXPECT_EQ(delegate.events.back(), "end");
    EXPECT_FALSE(editor->isEditing());
}

TEST_F(TTTextEditorTest, ReturnInTheFieldOpensTheViewWithALineFeedAndASpace) {
    auto editor = addEditor();
    RecordingEditorDelegate delegate;
    editor->setDelegate(&delegate);
    ASSERT_TRUE(editor->becomeFirstResponder());
    backend.typeText("Salam");

    delegate.allowReturn = false;
    backend.pressKey(UIResponder::KeyReturn);
    EXPECT_EQ(&editor->activeTextField(), &editor->textField());

    delegate.allowReturn = std::nullopt;
    backend.pressKey(UIResponder::KeyReturn);
    ASSERT_TRUE(editor->textView());
    EXPECT_EQ(&editor->activeTextField(), editor->textView());
    EXPECT_EQ(editor->text(), "Salam\n ");
    EXPECT_NEAR(editor->frame().size.height, 2 * line(*editor) + 18, 0.5);

    // In the view a refused return changes nothing.
    delegate.allowReturn = false;
    backend.pressKey(UIResponder::KeyReturn);
    EXPECT_EQ(editor->text(), "Salam\n ");
}

TEST_F(TTTextEditorTest, TheDelegateCanRefuseAResizeAndAnUnlaidEditorAsksNothing) {
    RecordingEditorDelegate delegate;
    auto unlaid = addView<TTTextEditor>(*window, CGRectMake(0, 0, 320, 0));
    unlaid->setDelegate(&delegate);
    unlaid->setText(linesOfText(*unlaid, 3));
    EXPECT_EQ(unlaid->frame().size.height, 0);
    EXPECT_TRUE(delegate.resizes.empty());

    auto editor = addEditor();
    editor->setDelegate(&delegate);
    delegate.allowResize = false;
    CGFloat before = editor->frame().size.height;
    editor->setText(linesOfText(*editor, 3));
    EXPECT_EQ(delegate.resizes.size(), 1u);
    EXPECT_EQ(editor->frame().size.height, before);
}

TEST_F(TTTextEditorTest, ASelfSizingViewKeepsItsTextInPlaceUntilItOverflows) {
    TTTextView view(CGRectMake(0, 0, 200, 40));
    view.setContentSize(CGSizeMake(200, 400));
    view.setAutoresizesToText(true);
    view.setContentOffset(CGPointMake(0, 50), false);
    EXPECT_EQ(view.contentOffset().y, 0);
    view.setOverflowed(true);
    view.setContentOffset(CGPointMake(0, 50), false);
    EXPECT_EQ(view.contentOffset().y, 50);
}

TEST_F(TTTextEditorTest, TheContainerScrollsToACursorAtTheEnd) {
    auto scroll = addView<UIScrollView>(*window, CGRectMake(0, 0, 320, 100));
    auto editor = std::make_shared<TTTextEditor>(CGRectMake(0, 0, 320, 60));
    scroll->addSubview(editor);
    editor->setText("one\ntwo\nthree");
    ASSERT_TRUE(editor->textView());

    scroll->setContentSize(CGSizeMake(320, 300));
    editor->textView()->setSelectedRange({2, 0});
    editor->scrollContainerToCursor(*scroll);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    editor->textView()->setSelectedRange({13, 0});
    editor->scrollContainerToCursor(*scroll);
    EXPECT_EQ(scroll->contentOffset().y, 200);

    scroll->setContentSize(CGSizeMake(320, 80));
    editor->scrollContainerToCursor(*scroll);
    EXPECT_EQ(scroll->contentOffset().y, 0);
}
