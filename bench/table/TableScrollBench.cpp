// Scrolling a table of 286 rows of varying height (the longest chapter's verse
// rows, with wrapped text) by one screen per frame on a phone screen at scale 2:
// each frame moves the offset, lays out and fills the newly visible rows with
// reused cells, redraws them and composites the screen.
// Prints "figure table_scroll_frame_ms" (median over the frames).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UITableView.h"

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

class VerseRows : public UITableViewDataSource, public UITableViewDelegate {
public:
    VerseRows() {
        const std::string words = "And when your Lord said to the angels, Indeed, I will make upon the earth a successive authority. They said, "
                                  "Will You place upon it one who causes corruption therein and sheds blood, while we declare Your praise and "
                                  "sanctify You? He said, Indeed, I know that which you do not know.";
        for (int v = 0; v < 286; ++v) {
            size_t len = 40 + static_cast<size_t>((v * 37) % 200);
            texts.push_back(std::to_string(v + 1) + ". " + words.substr(0, std::min(len, words.size())));
            heights.push_back(44 + 20.0 * static_cast<double>(1 + (len / 45)));
        }
    }
    int numberOfRowsInSection(UITableView*, int) override { return 286; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tv, const NSIndexPath& p) override {
        auto cell = tv->dequeueReusableCellWithIdentifier("VerseCell");
        if (!cell) {
            cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "VerseCell");
            cell->textLabel()->setFont(UIFont::systemFontOfSize(15));
            cell->textLabel()->setNumberOfLines(0);
            cell->textLabel()->setLineBreakMode(UILineBreakModeWordWrap);
            cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
        }
        cell->textLabel()->setText(texts[static_cast<size_t>(p.row)]);
        return cell;
    }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath& p) override { return heights[static_cast<size_t>(p.row)]; }

    std::vector<std::string> texts;
    std::vector<double> heights;
};

}  // namespace

int main() {
    RunLoop::main().useVirtualClock();
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 2);
    HeadlessBackend backend;
    backend.attach();
    auto window = std::make_shared<UIWindow>();
    window->setBackgroundColor(UIColor::whiteColor());
    window->makeKeyAndVisible();

    VerseRows rows;
    auto table = std::make_shared<UITableView>(CGRectMake(0, 20, 320, 411), UITableViewStylePlain);
    table->setDataSource(&rows);
    table->setDelegate(&rows);
    window->addSubview(table);
    table->reloadData();
    backend.frame();

    const double screen = table->bounds().size.height;
    const double end = table->maximumContentOffset().y;
    std::vector<double> frames;
    double y = 0;
    // Two passes over the chapter, down and back to the top each time.
    for (int pass = 0; pass < 4; ++pass) {
        while (true) {
            y = pass % 2 == 0 ? std::min(end, y + screen) : std::max(0.0, y - screen);
            auto t0 = std::chrono::steady_clock::now();
            table->setContentOffset(CGPointMake(0, y));
            backend.frame();
            auto t1 = std::chrono::steady_clock::now();
            frames.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            if ((pass % 2 == 0 && y >= end) || (pass % 2 == 1 && y <= 0)) break;
        }
    }
    std::printf("frames %zu, cells alive %zu\n", frames.size(), table->visibleCells().size() + table->reusePoolSize());
    std::printf("figure table_scroll_frame_ms %.3f ms\n", median(frames));
    return 0;
}
