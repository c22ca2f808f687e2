// UIView's animation transactions (class-level operations).

#include "platform/foundation/Log.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIView.h"
#include "platform/ui/ViewAnimator.h"

namespace {
AnimationTransaction* open(const char* what)
{
    auto* tx = ViewAnimator::shared().openTransaction();
    if (!tx) NSLog("%s outside an animation transaction is ignored", what);
    return tx;
}
}  // namespace

void UIView::beginAnimations(const std::string& animationID, void* context)
{
    ViewAnimator::shared().begin(animationID, context);
}

void UIView::commitAnimations()
{
    ViewAnimator::shared().commit();
}

void UIView::setAnimationDuration(double seconds)
{
    if (auto* tx = open("setAnimationDuration")) tx->duration = std::max(0.0, seconds);
}

void UIView::setAnimationDelay(double seconds)
{
    if (auto* tx = open("setAnimationDelay")) tx->delay = std::max(0.0, seconds);
}

void UIView::setAnimationCurve(UIViewAnimationCurve curve)
{
    if (auto* tx = open("setAnimationCurve")) tx->curve = curve;
}

void UIView::setAnimationRepeatCount(double count)
{
    if (auto* tx = open("setAnimationRepeatCount")) tx->repeatCount = count;
}

void UIView::setAnimationRepeatAutoreverses(bool autoreverses)
{
    if (auto* tx = open("setAnimationRepeatAutoreverses")) tx->autoreverses = autoreverses;
}

void UIView::setAnimationBeginsFromCurrentState(bool fromCurrent)
{
    // Animations here always start from what is on screen.
    if (auto* tx = open("setAnimationBeginsFromCurrentState")) tx->beginsFromCurrentState = fromCurrent;
}

void UIView::setAnimationDidStopSelector(AnimationDidStop callback)
{
    if (auto* tx = open("setAnimationDidStopSelector")) tx->didStop = std::move(callback);
}

void UIView::setAnimationWillStartSelector(AnimationWillStart callback)
{
    if (auto* tx = open("setAnimationWillStartSelector")) tx->willStart = std::move(callback);
}

void UIView::setAnimationTransition(UIViewAnimationTransition transition, UIView* view, bool)
{
    auto* tx = open("setAnimationTransition");
    if (!tx || !view || transition == UIViewAnimationTransitionNone) return;
    // The view as it is now; the change shows as a turn from this picture.
    CGRect b = view->bounds();
    double scale = UIScreen::mainScreen().scale();
    int w = std::max(1, static_cast<int>(std::ceil(b.size.width * scale)));
    int h = std::max(1, static_cast<int>(std::ceil(b.size.height * scale)));
    CairoSurface snap(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    {
        CGContext ctx(snap.get(), scale);
        UIApplication::sharedApplication().compositor().renderViewTree(*view, ctx);
    }
    cairo_surface_flush(snap.get());
    tx->transition = transition;
    tx->transitionView = view;
    tx->transitionSnapshot = std::move(snap);
}

void UIView::setAnimationsEnabled(bool enabled)
{
    ViewAnimator::shared().setEnabled(enabled);
}

bool UIView::areAnimationsEnabled()
{
    return ViewAnimator::shared().enabled();
}

void UIView::animateWithDuration(double duration, const std::function<void()>& animations,
                                 std::function<void(bool)> completion)
{
    animateWithDuration(duration, 0, UIViewAnimationCurveEaseInOut, animations, std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationCurve curve,
                                 const std::function<void()>& animations, std::function<void(bool)> completion)
{
    beginAnimations("", nullptr);
    setAnimationDuration(duration);
    setAnimationDelay(delay);
    setAnimationCurve(curve);
    if (completion)
        setAnimationDidStopSelector([completion](const std::string&, bool finished, void*) { completion(finished); });
    if (animations) animations();
    commitAnimations();
}

bool UIView::addCustomAnimation(UIView* owner, const std::string& key, std::function<void(double)> step)
{
    return ViewAnimator::shared().addCustom(owner, key, std::move(step));
}

void UIView::removeCustomAnimation(UIView* owner, const std::string& key)
{
    if (owner) ViewAnimator::shared().removeCustom(*owner, key);
}

bool UIView::hasRunningAnimations()
{
    return ViewAnimator::shared().hasRunning();
}
