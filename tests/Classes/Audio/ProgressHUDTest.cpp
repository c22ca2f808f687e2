// The progress HUD over a plain view on the headless screen: its panel size, grace and minimum
// show times, the delegate call, and the pie of its determinate mode as pixels.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stdexcept>

#include "Classes/Audio/MBProgressHUD.h"
#include "Classes/Audio/MBRoundProgressView.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIColor.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "tests/Classes/Index/IndexTestSupport.h"

namespace {

struct HiddenRecorder : MBProgressHUDDelegate {
    std::vector<MBProgressHUD*> hidden;
    void hudWasHidden(MBProgressHUD* hud) override { hidden.push_back(hud); }
};

// A fresh phone screen on the virtual clock, with a blue view to lay HUDs over.
class ProgressHUDTest : public IndexUITest {
protected:
    void SetUp() override {
        IndexUITest::SetUp();
        window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
        host = std::make_shared<UIView>(CGRectMake(0, 0, 320, 480));
        host->setBackgroundColor(UIColor::colorWithRed(0.2, 0.4, 0.8, 1));
        window->addSubview(host);
    }
    void TearDown() override {
        host.reset();
        window.reset();
        IndexUITest::TearDown();
    }
    void advance(double ms) {
        backend.advance(ms);
        backend.runUntilIdle();
    }
    std::shared_ptr<MBProgressHUD> addHUD() {
        auto hud = MBProgressHUD::initWithView(host.get());
        host->addSubview(hud);
        return hud;
    }

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UIView> host;
};

TEST_F(ProgressHUDTest, PanelFitsTheIndicatorAndItsLines) {
    auto hud = addHUD();
    hud->setLabelText("Please wait...");
    hud->layoutIfNeeded();
    const CGSize indicator = hud->indicator()->bounds().size;
    const CGSize line = sizeWithFont("Please wait...", *hud->labelFont());
    EXPECT_FLOAT_EQ(hud->width(), std::max(indicator.width, line.width) + 40);
    EXPECT_FLOAT_EQ(hud->height(), indicator.height + 40 + line.height + 4);

    // A second line narrower than the panel leaves its width; a wider one sets it.
    const float oneLine = hud->width();
    hud->setDetailsLabelText("ok");
    hud->layoutIfNeeded();
    EXPECT_FLOAT_EQ(hud->width(), oneLine);
    const std::string wide = "Removing data... please wait, this is longer";
    hud->setDetailsLabelText(wide);
    hud->layoutIfNeeded();
    EXPECT_FLOAT_EQ(hud->width(), sizeWithFont(wide, *hud->detailsLabelFont()).width + 40);

    // Text wider than the view less two margins is held to the view less four.
    hud->setDetailsLabelText("");
    hud->setLabelText(std::string(120, 'W'));
    hud->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(hud->label()->frame().size.width, 320 - 80);
}

TEST_F(ProgressHUDTest, GraceTimeShowsOnlyForItsOwnTaskAndMinShowTimeDelaysTheHide) {
    auto hud = addHUD();
    hud->setGraceTime(1);
    hud->show(false);
    advance(1500);
    EXPECT_EQ(hud->alpha(), 0);  // nothing of its own runs: never shown

    hud->setGraceTime(0);
    hud->setMinShowTime(2);
    HiddenRecorder recorder;
    hud->setDelegate(&recorder);
    hud->show(false);
    EXPECT_EQ(hud->alpha(), 1);
    advance(500);
    hud->hide(false);
    EXPECT_EQ(hud->alpha(), 1);
    advance(1400);
    EXPECT_TRUE(recorder.hidden.empty());
    advance(200);
    EXPECT_EQ(hud->alpha(), 0);
    EXPECT_EQ(recorder.hidden, std::vector<MBProgressHUD*>{hud.get()});
}

TEST_F(ProgressHUDTest, ShowsWhileItsTaskRunsThenHidesAndIsRemoved) {
    std::atomic<bool> release{false}, ran{false};
    auto hud = addHUD();
    hud->setRemoveFromSuperViewOnHide(true);
    hud->setGraceTime(0.5);
    hud->showWhileExecuting([&] {
        while (!release) std::this_thread::yield();
        ran = true;
    }, false);
    advance(600);  // past the grace time, the task still running
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_TRUE(hud->taskInProgress());
    release = true;
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return hud->superview() == nullptr; }, 10));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(hud->taskInProgress());
}

TEST_F(ProgressHUDTest, HideForViewFindsTheLastHUD) {
    EXPECT_FALSE(MBProgressHUD::hideHUDForView(host.get(), false));
    EXPECT_TRUE(host->subviews().empty());
    auto hud = MBProgressHUD::showHUDAddedTo(host.get(), false);
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_TRUE(MBProgressHUD::hideHUDForView(host.get(), true));
    advance(400);
    EXPECT_EQ(hud->superview(), nullptr);
    EXPECT_THROW(MBProgressHUD::initWithView(nullptr), std::invalid_argument);
}

TEST_F(ProgressHUDTest, ZoomGrowsFromLargerAndShrinksTowardsHalf) {
    auto hud = addHUD();
    hud->setAnimationType(MBProgressHUDAnimationZoom);
    hud->show(true);
    advance(0);
    EXPECT_NEAR(hud->presentationTransform().a, 1.5, 0.05);
    advance(400);
    EXPECT_NEAR(hud->transform().a, 1, 1e-9);
    hud->hide(true);
    EXPECT_NEAR(hud->transform().a, 0.5, 1e-9);
    advance(400);
    EXPECT_TRUE(hud->isFinished());
}

TEST_F(ProgressHUDTest, DeterminatePieFillsClockwiseFromTwelve) {
    auto hud = addHUD();
    hud->setMode(MBProgressHUDModeDeterminate);
    hud->setProgress(0.5f);
    hud->show(false);
    advance(100);
    auto* pie = dynamic_cast<MBRoundProgressView*>(hud->indicator().get());
    ASSERT_NE(pie, nullptr);
    EXPECT_FLOAT_EQ(pie->progress(), 0.5f);
    const CGRect r = pie->convertRectToView(pie->bounds(), nullptr);
    const double cx = CGRectGetMidX(r), cy = CGRectGetMidY(r), q = r.size.width / 4;
    auto white = [&](double x, double y) {
        const auto p = backend.pixelAt(CGPointMake(x, y));
        return p.r > 230 && p.g > 230 && p.b > 230;
    };
    EXPECT_TRUE(white(cx + q, cy - q));   // upper right: filled
    EXPECT_TRUE(white(cx + q, cy + q));   // lower right: filled
    EXPECT_FALSE(white(cx - q, cy - q));  // left half: empty
    EXPECT_FALSE(white(cx - q, cy + q));
    // The panel behind it is the translucent black.
    const CGRect panel = hud->panelRect();
    const auto corner = backend.pixelAt(CGPointMake(panel.origin.x + 12, panel.origin.y + 12));
    EXPECT_LT(corner.r + corner.g + corner.b, 120);
}

}  // namespace
