#pragma once
// Captures one call to a target and replays it on the main thread, optionally waiting for it.
//
//   auto font = dd_invokeOnMainThreadAndWaitUntilDone(app, true)
//                   ->forwardInvocation([](App& a) { return a.makeFont(); });
//
// With waiting on, the caller receives the target's result; without, the call is queued
// (its captured arguments are owned by the queued call) and the caller receives an empty value.
// Never wait from a thread the main thread is itself waiting for.

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

#include "platform/foundation/RunLoop.h"

template <class T>
class DDInvocationGrabber : public std::enable_shared_from_this<DDInvocationGrabber<T>> {
public:
    static std::shared_ptr<DDInvocationGrabber> invocationGrabber() {
        return std::shared_ptr<DDInvocationGrabber>(new DDInvocationGrabber());
    }

    std::shared_ptr<DDInvocationGrabber> prepareWithInvocationTarget(std::shared_ptr<T> target) {
        setTarget(std::move(target));
        return this->shared_from_this();
    }

    const std::shared_ptr<T>& target() const { return target_; }
    void setTarget(std::shared_ptr<T> target) {
        if (target != target_) target_ = std::move(target);
    }
    // The last captured call, bound to the target.
    const std::function<void()>& invocation() const { return invocation_; }
    bool forwardInvokesOnMainThread() const { return forwardInvokesOnMainThread_; }
    void setForwardInvokesOnMainThread(bool on) { forwardInvokesOnMainThread_ = on; }
    bool waitUntilDone() const { return waitUntilDone_; }
    void setWaitUntilDone(bool wait) { waitUntilDone_ = wait; }

    // Captures `call` against the target; replays it on the main thread when forwarding is on.
    // The result is the target's when the call ran to completion before returning.
    template <class F>
    auto forwardInvocation(F call) {
        using R = std::invoke_result_t<F&, T&>;
        using Result = std::conditional_t<std::is_void_v<R>, bool, std::optional<R>>;
        std::shared_ptr<T> target = target_;
        auto bound = std::make_shared<F>(std::move(call));
        invocation_ = [target, bound]() {
            if (target) (*bound)(*target);
        };
        if (!forwardInvokesOnMainThread_ || !target) return Result{};
        if (!waitUntilDone_) {
            RunLoop::main().post(invocation_);
            return Result{};
        }
        if constexpr (std::is_void_v<R>) {
            RunLoop::main().postAndWait([&] { (*bound)(*target); });
            return Result{true};
        } else {
            return Result{RunLoop::main().postAndWait([&]() -> R { return (*bound)(*target); })};
        }
    }

private:
    DDInvocationGrabber() = default;
    std::shared_ptr<T> target_;
    std::function<void()> invocation_;
    bool forwardInvokesOnMainThread_ = false;
    bool waitUntilDone_ = false;
};

// A grabber that forwards to the main thread, prepared with `target`.
template <class T>
std::shared_ptr<DDInvocationGrabber<T>> dd_invokeOnMainThreadAndWaitUntilDone(std::shared_ptr<T> target, bool wait) {
    auto grabber = DDInvocationGrabber<T>::invocationGrabber();
    grabber->setForwardInvokesOnMainThread(true);
    grabber->setWaitUntilDone(wait);
    return grabber->prepareWithInvocationTarget(std::move(target));
}

template <class T>
std::shared_ptr<DDInvocationGrabber<T>> dd_invokeOnMainThread(std::shared_ptr<T> target) {
    return dd_invokeOnMainThreadAndWaitUntilDone(std::move(target), false);
}
