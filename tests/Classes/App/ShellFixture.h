#pragma once
// A launched program on the headless backend and the virtual clock, with the content
// databases of the build's bundle.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes/App/LumenoAppShell.h"
#include "tests/support/PlaceholderScreens.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/NSDate.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"

class UINavigationController;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the delegate (a second call makes a new one, as a new run would) and launches.
    bool launch(const std::string& url = "");
    void terminate();
    // Sets the wall clock (local time is UTC here).
    static void setNow(int year, int month, int day, int hour, int minute = 0);
    static NSDate dateAt(int year, int month, int day, int hour, int minute = 0);
    void advanceSeconds(double seconds) { backend->advance(seconds * 1000); }

    PlaceholderIndexViewController* index() const;
    UINavigationController* tab(int i) const { return shell->navigationControllerAtTab(i); }
    void tapTab(int i);
    // Every shown dialog of the type, front last.
    template <class T>
    std::vector<T*> dialogs() const;
    void dismissDialogs();

    std::unique_ptr<HeadlessBackend> backend;
    std::unique_ptr<LumenoAppShell> shell;
    bool launched = false;
};

void collectViews(UIView* root, std::vector<UIView*>& out);

template <class T>
std::vector<T*> ShellTest::dialogs() const {
    std::vector<T*> found;
    std::vector<UIView*> all;
    for (UIWindow* w : UIApplication::sharedApplication().windows()) collectViews(w, all);
    for (UIView* v : all)
        if (auto* d = dynamic_cast<T*>(v); d && d->isVisible()) found.push_back(d);
    return found;
}
