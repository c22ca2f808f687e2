#include <gtest/gtest.h>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/TTErrorView.h"
#include "toolkit/controls/TTImageView.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTRoundedRectangleShape.h"
#include "toolkit/style/TTStructuralStyles.h"

namespace {
class TTImageViewTest : public ControlsTest {};

// An image of any size, a side of zero included.
UIImagePtr blankImage(CGSize size) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(size.width), static_cast<int>(size.height));
    auto image = std::make_shared<UIImage>(surface, 1.0);
    cairo_surface_destroy(surface);
    return image;
}

struct RecordingImageDelegate : TTImageViewDelegate {
    std::vector<std::string> events;
    void imageViewDidStartLoad(TTImageView*) override { events.push_back("start"); }
    void imageViewDidLoadImage(TTImageView*, const UIImagePtr& image) override {
        events.push_back(image ? "load" : "load-none");
    }
    void imageViewDidFailLoadWithError(TTImageView*, const NSError* error) override {
        events.push_back(error ? "fail" : "cancel");
    }
};

// Shows an error panel over itself when its load fails, as a table screen does.
struct FallbackImageDelegate : TTImageViewDelegate {
    std::shared_ptr<TTErrorView> errorView;
    void imageViewDidFailLoadWithError(TTImageView* view, const NSError*) override {
        errorView = std::make_shared<TTErrorView>("No Picture", "The image could not be loaded.", nullptr);
        errorView->setFrame(view->bounds());
        view->addSubview(errorView);
    }
};
}  // namespace

TEST_F(TTImageViewTest, TheFrameFollowsTheImageWhereItHasNoSize) {
    struct Case {
        const char* what;
        CGSize frame;
        bool autoresizes;
        CGSize image;  // 0 by 0: no image
        CGSize expected;
    } cases[] = {
        {"width only: height by ratio", {100, 0}, false, {200, 50}, {100, 25}},
        {"height only: width by ratio", {0, 30}, false, {200, 50}, {120, 30}},
        {"no size: the image's", {0, 0}, false, {200, 50}, {200, 50}},
        {"both set: kept", {70, 80}, false, {200, 50}, {70, 80}},
        {"autoresizing: the image's", {70, 80}, true, {200, 50}, {200, 50}},
        {"autoresizing without image: zero", {70, 80}, true, {0, 0}, {0, 0}},
        {"width only, image of zero width: kept", {100, 0}, false, {0, 50}, {100, 0}},
        {"height only, image of zero height: kept", {0, 30}, false, {50, 0}, {0, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTImageView view(CGRectMake(5, 6, c.frame.width, c.frame.height));
        view.setAutoresizesToImage(c.autoresizes);
        UIImagePtr image;
        if (c.image.width || c.image.height) image = blankImage(c.image);
        if (!image) view.setImage(makeImage(3, 3));  // so that clearing it is a change
        view.setFrame(CGRectMake(5, 6, c.frame.width, c.frame.height));
        view.setImage(image);
        EXPECT_TRUE(near(view.frame(), CGRectMake(5, 6, c.expected.width, c.expected.height)));
    }
}

TEST_F(TTImageViewTest, TheDefaultImageIsNotReportedAsLoaded) {
    RecordingImageDelegate delegate;
    TTImageView view(CGRectMake(0, 0, 10, 10));
    view.setDelegate(&delegate);
    auto placeholder = makeImage(2, 2);
    view.setDefaultImage(placeholder);
    view.setImage(placeholder);
    EXPECT_TRUE(delegate.events.empty());
    EXPECT_FALSE(view.isLoaded());
    view.setImage(makeImage(4, 4));
    EXPECT_EQ(delegate.events, std::vector<std::string>{"load"});
    EXPECT_TRUE(view.isLoaded());
}

TEST_F(TTImageViewTest, AURLLoadsFromTheServerOnceAndShowsTheImage) {
    servePNG("/photo.png", 40, 20);
    RecordingImageDelegate delegate;
    auto view = addView<TTImageView>(*window, CGRectMake(10, 10, 120, 0));
    view->setDelegate(&delegate);
    view->setURL(server.url("/photo.png"));
    EXPECT_TRUE(view->isLoading());

    ASSERT_TRUE(waitFor([&] { return view->isLoaded(); }));
    EXPECT_FALSE(view->isLoading());
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"start", "load"}));
    EXPECT_EQ(view->image()->size().width, 40);
    // 120 wide, no height: 120 / 40 x 20.
    EXPECT_TRUE(near(view->frame(), CGRectMake(10, 10, 120, 60)));
    // Without a style the image is the layer's contents.
    EXPECT_EQ(view->layer().contents(), view->image());
    EXPECT_TRUE(near(pixel(70, 40), {0, 0, 255, 255}));

    // The same URL while its image shows: nothing; a fresh view of it comes from the memory cache.
    view->setURL(server.url("/photo.png"));
    EXPECT_FALSE(view->isLoading());
    TTImageView again(CGRectMake(0, 0, 10, 10));
    again.setURL(server.url("/photo.png"));
    EXPECT_TRUE(again.isLoaded());
    EXPECT_FALSE(again.isLoading());
    EXPECT_EQ(server.requests().size(), 1u);
    shot("ttimageview-loaded");

    // An empty URL puts the default image in place, without telling anyone of a load.
    auto placeholder = makeImage(1, 1);
    view->setDefaultImage(placeholder);
    view->setURL("");
    EXPECT_EQ(view->image(), placeholder);
    EXPECT_FALSE(view->isLoaded());
    EXPECT_EQ(delegate.events.size(), 2u);
}

TEST_F(TTImageViewTest, AFailedLoadKeepsTheDefaultImageAndShowsTheErrorView) {
    server.route("/broken.png", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
        r.send(LoopbackHTTPServer::response(500, "Server Error", "no"));
    });
    RecordingImageDelegate recorder;
    FallbackImageDelegate fallback;
    auto placeholder = makeImage(1, 1);
    auto view = addView<TTImageView>(*window, CGRectMake(0, 0, 320, 300));
    view->setDefaultImage(placeholder);
    view->setDelegate(&fallback);
    view->setURL(server.url("/broken.png"));
    ASSERT_TRUE(waitFor([&] { return !view->isLoading(); }));
    EXPECT_EQ(view->image(), placeholder);
    EXPECT_FALSE(view->isLoaded());
    ASSERT_TRUE(fallback.errorView);
    backend.frame();
    EXPECT_FALSE(fallback.errorView->titleView()->isHidden());
    EXPECT_GT(fallback.errorView->titleView()->frame().size.width, 0);
    // The title is drawn in the middle of the view.
    CGRect title = fallback.errorView->titleView()->frame();
    EXPECT_NEAR(title.origin.x + title.size.width / 2, 160, 1);
    shot("ttimageview-failed");

    // The same URL over the default image does not retry; reload does, and a cancelled retry is
    // reported with no error.
    view->setDelegate(&recorder);
    TTURLRequestQueue::mainQueue().setSuspended(true);
    view->setURL(server.url("/broken.png"));
    EXPECT_FALSE(view->isLoading());
    view->reload();
    EXPECT_TRUE(view->isLoading());
    view->stopLoading();
    EXPECT_FALSE(view->isLoading());
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"start", "cancel"}));
    TTURLRequestQueue::mainQueue().setSuspended(false);
}

TEST_F(TTImageViewTest, AStyledViewDrawsTheImageInsideItsShape) {
    auto view = addView<TTImageView>(*window, CGRectMake(0, 0, 80, 80));
    view->setStyle(TTShapeStyle::styleWithShape(TTRoundedRectangleShape::shapeWithRadius(30),
                                                TTContentStyle::styleWithNext(nullptr)));
    view->setImage(makeImage(8, 8));
    EXPECT_FALSE(view->layer().contents());
    EXPECT_TRUE(near(pixel(40, 40), {0, 0, 255, 255}));
    // The corner lies outside the rounded shape: the window shows through.
    EXPECT_TRUE(near(pixel(5, 5), {255, 255, 255, 255}));
    shot("ttimageview-styled");
    // Without the style the layer shows the whole image again.
    view->setStyle(nullptr);
    EXPECT_EQ(view->layer().contents(), view->image());
    EXPECT_TRUE(near(pixel(5, 5), {0, 0, 255, 255}));
}

TEST_F(TTImageViewTest, TheErrorViewCentresWhatFits) {
    auto picture = makeImage(60, 60);
    auto tall = addView<TTErrorView>(*window, CGRectMake(0, 0, 320, 400));
    tall->setTitle("Nothing Here");
    tall->setSubtitle("Try again later.");
    tall->setImage(picture);
    tall->layoutIfNeeded();
    CGFloat titleH = tall->titleView()->frame().size.height, subH = tall->subtitleView()->frame().size.height;
    CGFloat total = 60 + 20 + titleH + 20 + subH;
    CGFloat top = std::floor(200 - total / 2);
    EXPECT_FALSE(tall->imageView()->isHidden());
    EXPECT_TRUE(near(tall->imageView()->frame(), CGRectMake(130, top, 60, 60)));
    EXPECT_EQ(tall->titleView()->frame().origin.y, top + 80);
    EXPECT_EQ(tall->subtitleView()->frame().origin.y, top + 80 + titleH + 20);
    shot("tterrorview");

    // Too short for the picture and 40 points of gaps: title and subtitle alone, centred.
    auto shortView = std::make_shared<TTErrorView>("Nothing Here", "Try again later.", picture);
    shortView->setFrame(CGRectMake(0, 0, 320, 60 + titleH + subH + 40));
    shortView->layoutIfNeeded();
    EXPECT_TRUE(shortView->imageView()->isHidden());
    CGFloat shortTop = std::floor(shortView->frame().size.height / 2 - (titleH + 20 + subH) / 2);
    EXPECT_EQ(shortView->titleView()->frame().origin.y, shortTop);

    // Only a subtitle: centred with no gap above it.
    auto only = std::make_shared<TTErrorView>("", "Just this.", nullptr);
    only->setFrame(CGRectMake(0, 0, 300, 100));
    only->layoutIfNeeded();
    CGRect sub = only->subtitleView()->frame();
    EXPECT_EQ(sub.origin.y, std::floor(50 - sub.size.height / 2));
    EXPECT_EQ(sub.origin.x, std::floor(150 - sub.size.width / 2));
}
