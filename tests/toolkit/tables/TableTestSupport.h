#pragma once
// A toolkit table on a phone screen with a list data source, the variable-height delegate and a
// controller that records what the delegate tells it.

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/text/UIFont.h"
#include "tests/platform/ui/UITestSupport.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/style/TTStyleSheet.h"
#include "toolkit/tables/TTListDataSource.h"
#include "toolkit/tables/TTTableView.h"
#include "toolkit/tables/TTTableViewDelegate.h"

class RecordingTableController : public TTTableViewDelegateController {
public:
    bool shouldOpenURL(const std::string& url) override { return allowOpening; }
    void didSelectObject(const TTTableObject& object, const NSIndexPath& indexPath) override
    {
        selected.push_back(indexPath);
    }
    TTModel* model() override { return modelToLoad; }

    bool allowOpening = true;
    std::vector<NSIndexPath> selected;
    TTModel* modelToLoad = nullptr;
};

class TableTest : public UITest {
protected:
    void SetUp() override
    {
        UITest::SetUp();
        TTStyleSheet::setGlobalStyleSheet(nullptr);
        TTNavigatorHooks::shared().openURL = [this](const std::string& url, const std::map<std::string, void*>&, bool) {
            opened.push_back(url);
        };
    }
    void TearDown() override
    {
        table.reset();
        TTNavigatorHooks::shared() = TTNavigatorHooks();
        UITest::TearDown();
    }

    // A table filling the screen that shows the objects.
    TTTableView& show(std::vector<TTTableObject> objects, UITableViewStyle style = UITableViewStylePlain)
    {
        dataSource = TTListDataSource::dataSourceWithItems(std::move(objects));
        return show(dataSource, style);
    }
    TTTableView& show(std::shared_ptr<TTTableViewDataSource> source, UITableViewStyle style = UITableViewStylePlain)
    {
        if (table) table->removeFromSuperview();
        shownSource = std::move(source);
        table = std::make_shared<TTTableView>(window->bounds(), style);
        table->setDataSource(shownSource.get());
        table->setDelegate(&delegate);
        window->addSubview(table);
        table->reloadData();
        backend.advance(10);
        backend.frame();
        return *table;
    }

    // The darkest pixel of a rectangle of the screen, sampled every point.
    HeadlessBackend::Pixel darkest(CGRect rect)
    {
        HeadlessBackend::Pixel best{255, 255, 255, 255};
        for (double y = rect.origin.y; y < CGRectGetMaxY(rect); y += 1)
            for (double x = rect.origin.x; x < CGRectGetMaxX(rect); x += 1) {
                auto p = backend.pixelAt(CGPointMake(x + 0.5, y + 0.5));
                if (p.r + p.g + p.b < best.r + best.g + best.b) best = p;
            }
        return best;
    }

    void saveShot(const std::string& name)
    {
        const char* tmp = std::getenv("LUMENO_TEMP_DIR");
        ASSERT_NE(tmp, nullptr);
        ASSERT_TRUE(backend.screenshot(std::string(tmp) + "/" + name));
        if (const char* keep = std::getenv("LUMENO_KEEP_SHOTS")) {
            ASSERT_TRUE(backend.screenshot(std::string(keep) + "/" + name));
        }
    }

    RecordingTableController controller;
    TTTableViewVarHeightDelegate delegate{&controller};
    std::shared_ptr<TTListDataSource> dataSource;
    std::shared_ptr<TTTableViewDataSource> shownSource;
    std::shared_ptr<TTTableView> table;
    std::vector<std::string> opened;
};

inline ::testing::AssertionResult colourNear(HeadlessBackend::Pixel p, int r, int g, int b, int tolerance = 40)
{
    if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << p.r << ", " << p.g << ", " << p.b << ") is not near (" << r
                                         << ", " << g << ", " << b << ")";
}
