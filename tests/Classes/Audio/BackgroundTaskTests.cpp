// Background tasks of the two kinds of audio work, their log lines and their expiry.

#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "platform/foundation/Log.h"
#include "platform/ui/UIApplication.h"

#include <gtest/gtest.h>

namespace {

class BackgroundTasks : public ::testing::Test {
protected:
    void SetUp() override { UIApplication::sharedApplication().resetForTesting(); }
    void TearDown() override { UIApplication::sharedApplication().resetForTesting(); }
    static size_t held() { return UIApplication::sharedApplication().backgroundTaskCount(); }
    LumenoSDKAppDelegate app;
};

std::vector<std::string> withoutDates(const LogCapture& log) {
    std::vector<std::string> lines;
    for (std::string line : log.lines()) {
        auto open = line.find('['), close = line.find(']');
        if (open != std::string::npos && close != std::string::npos) line.erase(open + 1, close - open - 1);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST_F(BackgroundTasks, ASecondBeginGivesTheFirstTaskBack) {
    LogCapture log;
    app.beginBackgroundTask(1);
    app.beginBackgroundTask(1);
    EXPECT_EQ(held(), 1u);
    EXPECT_TRUE(app.isTaskAlreadyInBackground(1));
    EXPECT_FALSE(app.isTaskAlreadyInBackground(2));
    app.endBackgroundTask(1);
    app.endBackgroundTask(1);  // harmless
    EXPECT_EQ(held(), 0u);
    EXPECT_FALSE(app.isTaskAlreadyInBackground(1));
    EXPECT_EQ(withoutDates(log), (std::vector<std::string>{
                                     "DEBUG - [] [BG SUPP] Requesting DOWNLOAD AUDIO Entry Task",
                                     "DEBUG - [] [BG SUPP] Requesting DOWNLOAD AUDIO Entry Task",
                                     "DEBUG - [] [BG SUPP] Cleanly closing background entry task",
                                     "DEBUG - [] [BG SUPP] Cleanly closing DOWNLOAD AUDIO entry task",
                                 }));
}

TEST_F(BackgroundTasks, ExpiryGivesTheTaskBackWhileTheOtherKindStays) {
    app.beginBackgroundTask(2);
    LogCapture log;
    UIApplication::sharedApplication().expireBackgroundTasks();
    EXPECT_EQ(held(), 0u);
    EXPECT_FALSE(app.isTaskAlreadyInBackground(2));
    EXPECT_EQ(withoutDates(log), std::vector<std::string>{
                                     "DEBUG - [] [BG SUPP] FORCE CLOSING DELETING AUDIO ENTRY TASK - EXPIRATION HANDLED"});
    app.endBackgroundTask(2);  // after expiry: nothing
    EXPECT_EQ(log.lines().size(), 1u);

    app.beginBackgroundTask(1);
    app.beginBackgroundTask(2);
    log.clear();
    UIApplication::sharedApplication().expireBackgroundTasks();
    EXPECT_EQ(held(), 0u);
    EXPECT_TRUE(log.contains("FORCE CLOSING DOWNLOAD AUDIO ENTRY TASK - EXPIRATION HANDLED"));
    EXPECT_TRUE(log.contains("FORCE CLOSING DELETING AUDIO ENTRY TASK - EXPIRATION HANDLED"));
}

TEST_F(BackgroundTasks, OtherKindsAndEndsWithoutABeginDoNothing) {
    LogCapture log;
    app.endBackgroundTask(2);
    app.beginBackgroundTask(3);
    app.endBackgroundTask(3);
    app.beginBackgroundTask(0);
    EXPECT_EQ(held(), 0u);
    EXPECT_FALSE(app.isTaskAlreadyInBackground(3));
    EXPECT_TRUE(log.lines().empty());
}
