#include "platform/ui/hosting/UIViewController.h"

#include "platform/ui/hosting/UIPopoverController.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"

namespace {
std::map<std::string, UIViewController::InterfaceBuilder>& interfaces() {
    static std::map<std::string, UIViewController::InterfaceBuilder> m;
    return m;
}
constexpr double kModalDuration = 0.3;
}  // namespace

UIViewController::UIViewController(const std::string& nibName) : nibName_(nibName) {
    // Every controller hears the platform's memory warning itself.
    NSNotificationCenter::defaultCenter().addObserver(this, UIApplicationDidReceiveMemoryWarningNotification,
                                                      [this] { didReceiveMemoryWarning(); });
}

namespace {
std::vector<UIViewController::DeallocHook>& deallocHooks() {
    static std::vector<UIViewController::DeallocHook> hooks;
    return hooks;
}
}  // namespace

void UIViewController::addDeallocHook(DeallocHook hook) { deallocHooks().push_back(std::move(hook)); }

UIViewController::~UIViewController() {
    for (const auto& hook : deallocHooks()) hook(this);
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (view_ && view_->viewController() == this) view_->setViewController(nullptr);
}

void UIViewController::registerInterface(const std::string& name, InterfaceBuilder builder) {
    interfaces()[name] = std::move(builder);
}

bool UIViewController::hasInterface(const std::string& name) { return interfaces().count(name) > 0; }

void UIViewController::unregisterInterface(const std::string& name) { interfaces().erase(name); }

const std::shared_ptr<UIView>& UIViewController::viewPtr() {
    if (!view_) {
        loadView();
        if (!view_) {
            NSLog("UIViewController: loadView made no view; using an empty one");
            setView(std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame()));
        }
        viewDidLoad();
    }
    return view_;
}

UIView* UIViewController::view() { return viewPtr().get(); }

void UIViewController::setView(std::shared_ptr<UIView> view) {
    if (view_ && view_->viewController() == this) view_->setViewController(nullptr);
    view_ = std::move(view);
    if (view_) view_->setViewController(this);
}

void UIViewController::loadView() {
    if (!nibName_.empty()) {
        auto it = interfaces().find(nibName_);
        if (it != interfaces().end()) {
            setView(it->second(*this));
            if (view_) return;
        } else {
            NSLog("UIViewController: no interface named \"%@\"", nibName_);
        }
    }
    auto v = std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame());
    v->setBackgroundColor(UIColor::whiteColor());
    v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(v);
}

void UIViewController::didReceiveMemoryWarning() {
    if (view_ && !view_->window() && !visible_) {
        view_->setViewController(nullptr);
        view_.reset();
        viewDidUnload();
    }
}

void UIViewController::setTitle(const std::string& title) {
    title_ = title;
    navigationItem()->setTitle(title);
    if (tabBarItem_ && tabBarItem_->title().empty()) tabBarItem_->setTitle(title);
}

UINavigationItem* UIViewController::navigationItem() {
    if (!navigationItem_) navigationItem_ = std::make_unique<UINavigationItem>(title_);
    return navigationItem_.get();
}

UITabBarItem* UIViewController::tabBarItem() {
    if (!tabBarItem_) tabBarItem_ = std::make_shared<UITabBarItem>(title_, nullptr, 0);
    return tabBarItem_.get();
}

void UIViewController::setTabBarItem(std::shared_ptr<UITabBarItem> item) {
    tabBarItem_ = std::move(item);
    if (auto* t = tabBarController()) t->tabBarItemsChanged();
}

UIBarButtonItemPtr UIViewController::editButtonItem() {
    if (!editButtonItem_) {
        editButtonItem_ = std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemEdit, [this](UIBarButtonItem*) {
            setEditing(!editing_, true);
        });
    }
    return editButtonItem_;
}

void UIViewController::setEditing(bool editing, bool) {
    editing_ = editing;
    if (editButtonItem_) {
        editButtonItem_->setTitle(editing ? "Done" : "Edit");
        editButtonItem_->setStyle(editing ? UIBarButtonItemStyleDone : UIBarButtonItemStyleBordered);
    }
}

UIViewController* UIViewController::parentViewController() const {
    return parent_ ? parent_ : presenter_;
}

UINavigationController* UIViewController::navigationController() const {
    for (UIViewController* p = parent_; p; p = p->parent_)
        if (auto* n = dynamic_cast<UINavigationController*>(p)) return n;
    if (presenter_) return presenter_->navigationController();
    return nullptr;
}

UITabBarController* UIViewController::tabBarController() const {
    for (UIViewController* p = parent_; p; p = p->parent_)
        if (auto* t = dynamic_cast<UITabBarController*>(p)) return t;
    if (presenter_) return presenter_->tabBarController();
    return nullptr;
}

UIResponder* UIViewController::nextResponder() const {
    if (view_ && view_->superview()) return view_->superview();
    return nullptr;
}

void UIViewController::beginAppearance(bool appearing, bool animated) {
    if (appearing && visible_ && appearance_ == 0) return;
    if (!appearing && !visible_ && appearance_ == 0) return;
    if (appearance_ == (appearing ? 1 : -1)) return;
    appearance_ = appearing ? 1 : -1;
    appearanceAnimated_ = animated;
    if (appearing) viewPtr();
    if (appearing) viewWillAppear(animated);
    else viewWillDisappear(animated);
    for (UIViewController* c : visibleChildViewControllers()) c->beginAppearance(appearing, animated);
}

void UIViewController::endAppearance() {
    if (appearance_ == 0) return;
    bool appearing = appearance_ == 1;
    appearance_ = 0;
    visible_ = appearing;
    if (appearing) viewDidAppear(appearanceAnimated_);
    else viewDidDisappear(appearanceAnimated_);
    for (UIViewController* c : visibleChildViewControllers()) c->endAppearance();
}

bool UIViewController::shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) {
    const auto children = visibleChildViewControllers();
    if (children.empty()) return o == UIInterfaceOrientationPortrait;
    return std::all_of(children.begin(), children.end(),
                       [o](UIViewController* c) { return c->shouldAutorotateToInterfaceOrientation(o); });
}

void UIViewController::willRotateToInterfaceOrientation(UIInterfaceOrientation o, double duration) {
    for (UIViewController* c : visibleChildViewControllers()) c->willRotateToInterfaceOrientation(o, duration);
}

void UIViewController::willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation o, double duration) {
    for (UIViewController* c : visibleChildViewControllers()) c->willAnimateRotationToInterfaceOrientation(o, duration);
}

void UIViewController::didRotateFromInterfaceOrientation(UIInterfaceOrientation from) {
    for (UIViewController* c : visibleChildViewControllers()) c->didRotateFromInterfaceOrientation(from);
}

void UIViewController::setInterfaceOrientationTree(UIInterfaceOrientation o) {
    orientation_ = o;
    for (UIViewController* c : childViewControllers()) c->setInterfaceOrientationTree(o);
    if (modal_) modal_->setInterfaceOrientationTree(o);
}

// --- Modal presentation ---

UIViewController* UIViewController::rootOfPresentation() {
    UIViewController* c = this;
    while (c->parent_) c = c->parent_;
    return c;
}

void UIViewController::presentModalViewController(std::shared_ptr<UIViewController> controller, bool animated) {
    if (!controller) return;
    UIViewController* host = rootOfPresentation();
    if (host->modal_) {
        NSLog("UIViewController: already presenting a controller; the new one is presented over it");
        host->modal_->presentModalViewController(std::move(controller), animated);
        return;
    }
    if (!host->view_ || !host->view_->superview()) {
        NSLog("UIViewController: cannot present from a controller whose view is not on screen");
        return;
    }
    UIView* container = host->view_->superview();
    host->modal_ = controller;
    controller->presenter_ = host;
    controller->setInterfaceOrientationTree(host->orientation_);
    UIView* v = controller->view();
    // The presented view takes the place and turn of the presenter's view.
    v->setTransform(host->view_->transform());
    v->setBounds(CGRectMake(0, 0, host->view_->bounds().size.width, host->view_->bounds().size.height));
    CGPoint finalCenter = host->view_->center();
    host->beginAppearance(false, animated);
    controller->beginAppearance(true, animated);
    container->addSubview(controller->viewPtr());
    std::weak_ptr<UIViewController> weakHost = host->weak_from_this();
    std::weak_ptr<UIViewController> weakController = controller;
    auto finish = [weakHost, weakController](const std::string&, bool, void*) {
        if (auto h = weakHost.lock()) h->endAppearance();
        if (auto c = weakController.lock()) c->endAppearance();
    };
    if (animated) {
        CGRect screen = container->bounds();
        v->setCenter(CGPointMake(finalCenter.x, finalCenter.y + screen.size.height));
        UIView::beginAnimations("UIViewControllerPresent");
        UIView::setAnimationDuration(kModalDuration);
        UIView::setAnimationCurve(UIViewAnimationCurveEaseOut);
        UIView::setAnimationDidStopSelector(finish);
        v->setCenter(finalCenter);
        UIView::commitAnimations();
    } else {
        v->setCenter(finalCenter);
        finish("", true, nullptr);
    }
}

void UIViewController::dismissModalViewControllerAnimated(bool animated) {
    UIViewController* host = rootOfPresentation();
    if (!host->modal_) {
        // Sent to the presented controller: its presenter dismisses it.
        if (host->presenter_) host->presenter_->dismissModalViewControllerAnimated(animated);
        else if (host->popover_) host->popover_->dismissPopoverAnimated(animated);
        return;
    }
    std::shared_ptr<UIViewController> controller = host->modal_;
    // A controller presented over the one being dismissed goes first, unanimated.
    if (controller->modal_) controller->dismissModalViewControllerAnimated(false);
    host->modal_.reset();
    host->dismissing_ = controller;
    std::shared_ptr<UIView> v = controller->view_;
    controller->beginAppearance(false, animated);
    host->beginAppearance(true, animated);
    std::weak_ptr<UIViewController> weakHost = host->weak_from_this();
    std::weak_ptr<UIViewController> weakController = controller;
    std::weak_ptr<UIView> weakView = v;
    auto finish = [weakHost, weakController, weakView](const std::string&, bool, void*) {
        if (auto view = weakView.lock()) view->removeFromSuperview();
        auto h = weakHost.lock();
        if (auto c = weakController.lock()) {
            c->presenter_ = nullptr;
            c->endAppearance();
        }
        if (h) {
            h->endAppearance();
            h->dismissing_.reset();
        }
    };
    if (animated && v && v->superview()) {
        CGRect screen = v->superview()->bounds();
        UIView::beginAnimations("UIViewControllerDismiss");
        UIView::setAnimationDuration(kModalDuration);
        UIView::setAnimationCurve(UIViewAnimationCurveEaseIn);
        UIView::setAnimationDidStopSelector(finish);
        v->setCenter(CGPointMake(v->center().x, v->center().y + screen.size.height));
        UIView::commitAnimations();
    } else {
        finish("", true, nullptr);
    }
}

// --- Window and rotation ---

void UIViewController::placeRootView(UIView& view, UIInterfaceOrientation o, bool fullScreen) {
    CGRect screen = UIScreen::mainScreen().bounds();
    CGRect app = fullScreen ? screen : UIScreen::mainScreen().applicationFrame();
    CGPoint center = CGPointMake(CGRectGetMidX(app), CGRectGetMidY(app));
    CGAffineTransform t = CGAffineTransformIdentity;
    CGSize size = app.size;
    if (o == UIInterfaceOrientationLandscapeRight) t = CGAffineTransformMakeRotation(M_PI / 2);
    else if (o == UIInterfaceOrientationLandscapeLeft) t = CGAffineTransformMakeRotation(-M_PI / 2);
    else if (o == UIInterfaceOrientationPortraitUpsideDown) t = CGAffineTransformMakeRotation(M_PI);
    if (UIInterfaceOrientationIsLandscape(o)) size = CGSizeMake(app.size.height, app.size.width);
    view.setTransform(t);
    view.setBounds(CGRectMake(0, 0, size.width, size.height));
    view.setCenter(center);
}

UIView* UIViewController::interfaceRootView(UIView* anchor) {
    UIWindow* w = anchor ? anchor->window() : UIApplication::sharedApplication().keyWindow();
    if (!w) return nullptr;
    if (!anchor) {
        // The front controller's view, when one is shown.
        for (auto it = w->subviews().rbegin(); it != w->subviews().rend(); ++it)
            if ((*it)->viewController()) return it->get();
        return w;
    }
    UIView* v = anchor;
    while (v->superview() && v->superview() != w) v = v->superview();
    if (v != w && v->superview() == w && v->viewController()) return v;
    return w;
}

namespace {
UIViewController* frontController(UIViewController* root) {
    UIViewController* c = root;
    while (c && c->modalViewController()) c = c->modalViewController();
    return c;
}
}  // namespace

bool UIViewController::rotateInterfaceTo(UIWindow& window, UIInterfaceOrientation o, double duration) {
    UIViewController* root = window.rootViewController().get();
    if (!root) return false;
    UIViewController* front = frontController(root);
    if (o == root->interfaceOrientation()) return false;
    if (!front->shouldAutorotateToInterfaceOrientation(o)) return false;
    UIInterfaceOrientation from = root->interfaceOrientation();
    auto& app = UIApplication::sharedApplication();
    // Every presented controller turns with the root; the front one hears the callbacks
    // (a container forwards them to the controller it shows).
    std::vector<UIViewController*> chain;
    for (UIViewController* c = root; c; c = c->modalViewController()) chain.push_back(c);
    front->willRotateToInterfaceOrientation(o, duration);
    app.setStatusBarOrientation(o);
    root->setInterfaceOrientationTree(o);
    UIView::beginAnimations("UIViewControllerRotation");
    UIView::setAnimationDuration(duration);
    std::weak_ptr<UIViewController> weakFront = front->weak_from_this();
    UIView::setAnimationDidStopSelector([weakFront, from](const std::string&, bool, void*) {
        if (auto f = weakFront.lock()) f->didRotateFromInterfaceOrientation(from);
    });
    for (UIViewController* c : chain)
        if (c->isViewLoaded()) placeRootView(*c->view(), o, root->wantsFullScreenLayout());
    front->willAnimateRotationToInterfaceOrientation(o, duration);
    UIView::commitAnimations();
    return true;
}

void UIViewController::installPlatformHooks() {
    UIWindow::setRootViewControllerHook([](UIWindow& window, UIViewController* oldC, UIViewController* newC) {
        if (oldC && oldC->isViewLoaded()) {
            oldC->beginAppearance(false, false);
            oldC->view()->removeFromSuperview();
            oldC->endAppearance();
        }
        if (!newC) return;
        UIInterfaceOrientation o = UIApplication::sharedApplication().statusBarOrientation();
        newC->setInterfaceOrientationTree(o);
        newC->beginAppearance(true, false);
        placeRootView(*newC->view(), o, newC->wantsFullScreenLayout());
        window.addSubview(newC->viewPtr());
        newC->endAppearance();
    });
    UIApplication::sharedApplication().setRotationHandler([](UIDeviceOrientation d) {
        if (d != UIDeviceOrientationPortrait && d != UIDeviceOrientationPortraitUpsideDown && d != UIDeviceOrientationLandscapeLeft &&
            d != UIDeviceOrientationLandscapeRight)
            return;
        UIWindow* w = UIApplication::sharedApplication().keyWindow();
        if (!w) return;
        rotateInterfaceTo(*w, static_cast<UIInterfaceOrientation>(d));
    });
}
