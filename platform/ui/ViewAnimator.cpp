#include "platform/ui/ViewAnimator.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Compositor.h"

namespace {

double ease(UIViewAnimationCurve curve, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
    case UIViewAnimationCurveLinear: return t;
    case UIViewAnimationCurveEaseIn: return t * t;
    case UIViewAnimationCurveEaseOut: return 1 - (1 - t) * (1 - t);
    case UIViewAnimationCurveEaseInOut:
    default: return t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t);
    }
}

bool forever(double repeatCount) { return std::isinf(repeatCount) || repeatCount > 1e9; }

double now() { return RunLoop::main().now(); }

}  // namespace

double AnimationTransaction::activeDuration() const
{
    if (forever(repeatCount)) return INFINITY;
    double cycles = repeatCount > 0 ? repeatCount : 1;
    return duration * cycles * (autoreverses ? 2 : 1);
}

double AnimationTransaction::progressAt(double t) const
{
    double elapsed = t - start - delay;
    if (elapsed <= 0 || duration <= 0) return elapsed <= 0 ? 0 : 1;
    if (elapsed >= activeDuration()) return autoreverses ? 0 : 1;
    double cycle = elapsed / duration;
    double whole = std::floor(cycle);
    double frac = cycle - whole;
    if (autoreverses && (static_cast<long long>(whole) % 2 == 1)) frac = 1 - frac;
    return ease(curve, frac);
}

ViewAnimator& ViewAnimator::shared()
{
    static ViewAnimator animator;
    return animator;
}

bool ViewAnimator::isRecording() const
{
    return !open_.empty();
}

AnimationTransaction* ViewAnimator::openTransaction()
{
    return open_.empty() ? nullptr : open_.back().tx.get();
}

AnimValue ViewAnimator::modelValue(const UIView& view, AnimatedProperty property)
{
    AnimValue out;
    switch (property) {
    case AnimatedProperty::Center: out.v = {view.center().x, view.center().y}; break;
    case AnimatedProperty::Bounds: {
        CGRect b = view.bounds();
        out.v = {b.origin.x, b.origin.y, b.size.width, b.size.height};
        break;
    }
    case AnimatedProperty::Alpha: out.v = {view.alpha()}; break;
    case AnimatedProperty::Transform: {
        CGAffineTransform t = view.transform();
        out.v = {t.a, t.b, t.c, t.d, t.tx, t.ty};
        break;
    }
    case AnimatedProperty::BackgroundColor: {
        const auto& c = view.backgroundColor();
        if (!c)
            out.isNull = true;  // reads as clear
        else
            out.v = {c->red(), c->green(), c->blue(), c->alpha()};
        break;
    }
    }
    return out;
}

AnimValue ViewAnimator::presentation(const UIView& view, AnimatedProperty property) const
{
    AnimValue model = modelValue(view, property);
    auto* state = view.animationState();
    if (!state) return model;
    auto it = state->properties.find(property);
    if (it == state->properties.end()) return model;
    const PropertyAnimation& anim = it->second;
    double p = anim.tx->progressAt(now());
    if (anim.from.isNull && model.isNull) return model;
    AnimValue out;
    for (size_t i = 0; i < out.v.size(); ++i) {
        double from = anim.from.isNull ? (property == AnimatedProperty::BackgroundColor ? (i < 3 ? model.v[i] : 0) : 0)
                                       : anim.from.v[i];
        double to = model.isNull ? (i < 3 ? from : 0) : model.v[i];
        out.v[i] = from + (to - from) * p;
    }
    return out;
}

void ViewAnimator::begin(const std::string& animationID, void* context)
{
    Open o;
    o.tx = std::make_shared<AnimationTransaction>();
    if (!open_.empty()) {
        // A nested transaction starts with the enclosing one's timing.
        const auto& outer = *open_.back().tx;
        o.tx->duration = outer.duration;
        o.tx->delay = outer.delay;
        o.tx->curve = outer.curve;
    }
    o.tx->animationID = animationID;
    o.tx->context = context;
    open_.push_back(std::move(o));
}

void ViewAnimator::willChange(UIView& view, AnimatedProperty property)
{
    if (open_.empty() || !enabled_) {
        cancelProperty(view, property);
        return;
    }
    auto& changes = open_.back().changes;
    for (auto& c : changes)
        if (c.view == &view && c.property == property) return;  // first value wins
    changes.push_back({&view, property, presentation(view, property)});
}

bool ViewAnimator::addCustom(UIView* owner, const std::string& key, std::function<void(double)> step)
{
    if (open_.empty() || !enabled_ || !owner) return false;
    if (open_.back().tx->duration <= 0) return false;
    open_.back().custom.push_back({owner, {key, std::move(step)}});
    return true;
}

void ViewAnimator::removeCustom(UIView& owner, const std::string& key)
{
    auto* state = owner.animationState();
    if (!state) return;
    auto it = state->custom.find(key);
    if (it == state->custom.end()) return;
    auto tx = it->second.tx;
    state->custom.erase(it);
    release(tx, false);
}

void ViewAnimator::cancelProperty(UIView& view, AnimatedProperty property)
{
    auto* state = view.animationState();
    if (!state) return;
    auto it = state->properties.find(property);
    if (it == state->properties.end()) return;
    auto tx = it->second.tx;
    state->properties.erase(it);
    Compositor::setNeedsFrame();
    release(tx, false);
}

// One animation of the transaction went away before its end.
void ViewAnimator::release(const std::shared_ptr<AnimationTransaction>& tx, bool finished)
{
    if (!finished) tx->finished = false;
    if (--tx->live > 0 || tx->ended) return;
    // Nothing left to animate: report now.
    if (tx->endTimer) RunLoop::main().cancelTimer(tx->endTimer);
    tx->endTimer = 0;
    tx->ended = true;
    notifyStopped(tx);
}

void ViewAnimator::notifyStopped(const std::shared_ptr<AnimationTransaction>& tx)
{
    if (!tx->didStop) return;
    auto cb = tx->didStop;
    auto id = tx->animationID;
    auto ctx = tx->context;
    bool finished = tx->finished;
    // After the current event, as the platform does.
    RunLoop::main().post([cb, id, ctx, finished] { cb(id, finished, ctx); });
}

void ViewAnimator::commit()
{
    if (open_.empty()) return;
    Open o = std::move(open_.back());
    open_.pop_back();
    auto tx = o.tx;
    tx->start = now();
    bool animate = enabled_ && tx->duration > 0;
    if (tx->willStart) {
        auto cb = tx->willStart;
        auto id = tx->animationID;
        auto ctx = tx->context;
        RunLoop::main().post([cb, id, ctx] { cb(id, ctx); });
    }
    if (!animate) {
        for (auto& c : o.changes) cancelProperty(*c.view, c.property);
        for (auto& c : o.custom) c.second.second(1.0);
        tx->ended = true;
        notifyStopped(tx);
        return;
    }
    for (auto& c : o.changes) {
        auto& state = c.view->ensureAnimationState();
        AnimValue from = c.from;
        auto existing = state.properties.find(c.property);
        if (existing != state.properties.end()) {
            auto old = existing->second.tx;
            state.properties.erase(existing);
            release(old, false);
        }
        state.properties[c.property] = PropertyAnimation{tx, from};
        ++tx->live;
        if (std::find(tx->views.begin(), tx->views.end(), c.view) == tx->views.end()) tx->views.push_back(c.view);
        animating_.insert(c.view);
    }
    for (auto& c : o.custom) {
        UIView* owner = c.first;
        auto& state = owner->ensureAnimationState();
        auto existing = state.custom.find(c.second.first);
        if (existing != state.custom.end()) {
            auto old = existing->second.tx;
            state.custom.erase(existing);
            release(old, false);
        }
        state.custom[c.second.first] = CustomAnimation{tx, c.second.second};
        ++tx->live;
        if (std::find(tx->views.begin(), tx->views.end(), owner) == tx->views.end()) tx->views.push_back(owner);
        animating_.insert(owner);
    }
    if (tx->transitionView && tx->transitionSnapshot) {
        auto& state = tx->transitionView->ensureAnimationState();
        if (state.transition) {
            auto old = state.transition->tx;
            state.transition.reset();
            release(old, false);
        }
        state.transition = std::make_unique<TransitionAnimation>();
        state.transition->tx = tx;
        state.transition->snapshot = std::move(tx->transitionSnapshot);
        state.transition->snapshotSize = tx->transitionView->bounds().size;
        ++tx->live;
        if (std::find(tx->views.begin(), tx->views.end(), tx->transitionView) == tx->views.end())
            tx->views.push_back(tx->transitionView);
        animating_.insert(tx->transitionView);
    }
    Compositor::setNeedsFrame();
    if (tx->live == 0) {
        tx->ended = true;
        notifyStopped(tx);
        return;
    }
    double total = tx->delay + tx->activeDuration();
    if (std::isfinite(total)) {
        std::weak_ptr<AnimationTransaction> weak = tx;
        tx->endTimer = RunLoop::main().addTimer(total, [this, weak] {
            if (auto t = weak.lock()) finish(t);
        });
    }
}

// The transaction's time is up: its animations end at their model values.
void ViewAnimator::finish(const std::shared_ptr<AnimationTransaction>& tx)
{
    tx->endTimer = 0;
    if (tx->ended) return;
    tx->ended = true;
    auto views = tx->views;
    for (UIView* v : views) {
        auto* state = v->animationState();
        if (!state) continue;
        for (auto it = state->properties.begin(); it != state->properties.end();)
            it = it->second.tx == tx ? state->properties.erase(it) : std::next(it);
        for (auto it = state->custom.begin(); it != state->custom.end();) {
            if (it->second.tx == tx) {
                auto step = it->second.step;
                it = state->custom.erase(it);
                step(1.0);
            } else {
                ++it;
            }
        }
        if (state->transition && state->transition->tx == tx) state->transition.reset();
        if (state->empty()) animating_.erase(v);
    }
    tx->live = 0;
    Compositor::setNeedsFrame();
    notifyStopped(tx);
}

void ViewAnimator::tick()
{
    double t = now();
    std::erase_if(animatingLayers_, [](const CALayer* l) { return !l->hasRunningAnimations(); });
    auto views = animating_;
    for (UIView* v : views) {
        auto* state = v->animationState();
        if (!state || state->empty()) {
            animating_.erase(v);
            continue;
        }
        // Copy: a step may start or replace animations.
        std::vector<std::pair<std::shared_ptr<AnimationTransaction>, std::function<void(double)>>> steps;
        for (auto& [key, c] : state->custom) steps.emplace_back(c.tx, c.step);
        for (auto& [tx, step] : steps) step(tx->progressAt(t));
    }
}

bool ViewAnimator::hasRunning() const
{
    return !animating_.empty() || !animatingLayers_.empty();
}

double ViewAnimator::transitionProgress(const UIView& view) const
{
    auto* state = view.animationState();
    if (!state || !state->transition) return -1;
    auto& tx = *state->transition->tx;
    double elapsed = now() - tx.start - tx.delay;
    if (elapsed <= 0) return 0;
    return ease(tx.curve, tx.duration > 0 ? elapsed / tx.duration : 1);
}

void ViewAnimator::removeAll(UIView& view, bool notifyUnfinished)
{
    auto* state = view.animationState();
    if (!state) return;
    std::vector<std::shared_ptr<AnimationTransaction>> released;
    for (auto& [p, a] : state->properties) released.push_back(a.tx);
    for (auto& [k, c] : state->custom) released.push_back(c.tx);
    if (state->transition) released.push_back(state->transition->tx);
    state->properties.clear();
    state->custom.clear();
    state->transition.reset();
    animating_.erase(&view);
    Compositor::setNeedsFrame();
    for (auto& tx : released) {
        if (notifyUnfinished) {
            release(tx, false);
        } else {
            tx->finished = false;
            --tx->live;
        }
    }
}

void ViewAnimator::viewDestroyed(UIView* view)
{
    for (auto& o : open_) {
        std::erase_if(o.changes, [&](const Change& c) { return c.view == view; });
        std::erase_if(o.custom, [&](const auto& c) { return c.first == view; });
        if (o.tx->transitionView == view) {
            o.tx->transitionView = nullptr;
            o.tx->transitionSnapshot.reset();
        }
    }
    if (view->animationState()) {
        auto* state = view->animationState();
        std::vector<std::shared_ptr<AnimationTransaction>> txs;
        for (auto& [p, a] : state->properties) txs.push_back(a.tx);
        for (auto& [k, c] : state->custom) txs.push_back(c.tx);
        if (state->transition) txs.push_back(state->transition->tx);
        state->properties.clear();
        state->custom.clear();
        state->transition.reset();
        for (auto& tx : txs) {
            std::erase(tx->views, view);
            release(tx, false);
        }
    }
    animating_.erase(view);
}

void ViewAnimator::layerAnimating(const CALayer* layer, bool on)
{
    if (on)
        animatingLayers_.insert(layer);
    else
        animatingLayers_.erase(layer);
}

void ViewAnimator::resetForTesting()
{
    open_.clear();
    enabled_ = true;
}
