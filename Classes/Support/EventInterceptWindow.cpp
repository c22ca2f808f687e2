#include "Classes/Support/EventInterceptWindow.h"

void EventInterceptWindow::sendEvent(UIEvent* event) {
    if (eventInterceptDelegate_ && eventInterceptDelegate_->interceptEvent(event)) return;
    UIWindow::sendEvent(event);
}
