// The script runner that both backends play: what it asks of a driver for each command, and
// the finger commands that let a drag rest before it lifts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes/App/ShellScript.h"
#include "platform/backends/ScriptDriver.h"

namespace {

// Writes down every call as a short line.
class RecordingDriver : public ScriptDriver {
public:
    std::vector<std::string> calls;
    bool shotsFail = false;

    void fingerDown(CGPoint p) override { calls.push_back("down " + xy(p)); }
    void fingerMove(CGPoint p) override { calls.push_back("move " + xy(p)); }
    void fingerUp(CGPoint p) override { calls.push_back("up " + xy(p)); }
    void fingerPairDown(CGPoint a, CGPoint b) override { calls.push_back("down2 " + xy(a) + " " + xy(b)); }
    void fingerPairMove(CGPoint a, CGPoint b) override { calls.push_back("move2 " + xy(a) + " " + xy(b)); }
    void fingerPairUp(CGPoint a, CGPoint b) override { calls.push_back("up2 " + xy(a) + " " + xy(b)); }
    void typeText(const std::string& utf8) override { calls.push_back("text " + utf8); }
    void pressKey(int key) override { calls.push_back("key " + std::to_string(key)); }
    void deleteBackward() override { calls.push_back("backspace"); }
    void rotate(UIDeviceOrientation o) override { calls.push_back("rotate " + std::to_string(static_cast<int>(o))); }
    void advance(double ms) override { calls.push_back("advance " + std::to_string(static_cast<int>(ms + 0.5))); }
    void runUntilIdle() override { calls.push_back("idle"); }
    bool screenshot(const std::string& path) override {
        calls.push_back("shot " + path);
        return !shotsFail;
    }
    bool quitRequested() const override { return false; }

private:
    static std::string xy(CGPoint p) {
        return std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y));
    }
};

std::vector<std::string> play(const std::string& script, RecordingDriver& driver, bool expectOk = true) {
    std::string error;
    auto commands = ShellScript::parse(script, &error);
    EXPECT_TRUE(commands) << error;
    if (!commands) return {};
    EXPECT_EQ(ShellScript::run(*commands, driver, "shots", &error), expectOk) << error;
    return driver.calls;
}

TEST(ScriptRunnerTest, TapsAndHoldsLiftTheFingerWhereItWentDownAfterTheirTime) {
    RecordingDriver driver;
    EXPECT_EQ(play("tap 10 20\nhold 30 40 0.7\n", driver),
              (std::vector<std::string>{"idle", "down 10,20", "advance 50", "up 10,20", "idle", "down 30,40",
                                        "advance 700", "up 30,40", "idle"}));
}

TEST(ScriptRunnerTest, ADragMovesInFrameStepsAndLiftsAtItsEnd) {
    RecordingDriver driver;
    const auto calls = play("drag 0 100 0 0 0.02\n", driver);
    // 0.02 s is not two frames: the least of two steps.
    EXPECT_EQ(calls, (std::vector<std::string>{"idle", "down 0,100", "advance 10", "move 0,50", "advance 10",
                                               "move 0,0", "up 0,0", "idle"}));
}

TEST(ScriptRunnerTest, AFingerPutDownRestsWhileTheScriptWaitsAndLiftsWhereItStopped) {
    RecordingDriver driver;
    const auto calls = play("down 160 400\nmove 160 300 0.02\nwait 0.3\nup\nshot a.png\n", driver);
    // Nothing settles the program while the finger is down: only the script's own times pass.
    EXPECT_EQ(calls, (std::vector<std::string>{"idle", "down 160,400", "advance 10", "move 160,350", "advance 10",
                                               "move 160,300", "advance 300", "up 160,300", "idle", "idle",
                                               "shot shots/a.png", "idle"}));
}

TEST(ScriptRunnerTest, AFingerLeftDownIsLiftedWhenTheScriptEndsOrFails) {
    for (const char* script : {"down 5 6\n", "down 5 6\nquit\n"}) {
        RecordingDriver driver;
        const auto calls = play(script, driver);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), "up 5,6") << script;
    }
    RecordingDriver driver;
    driver.shotsFail = true;
    const auto calls = play("down 5 6\nshot a.png\n", driver, false);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "up 5,6");
}

TEST(ScriptRunnerTest, FingerCommandsAreCheckedWhenTheScriptIsRead) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"move 1 2 0.5\n", "line 1: move needs a finger put down by down"},
        {"down 1 2\nup\nup\n", "line 3: up needs a finger put down by down"},
        {"down 1 2\ntap 3 4\nmove 5 6 1\n", "line 3: move needs a finger put down by down"},
        {"down 1 2\nup now\n", "line 2: up takes nothing"},
        {"down 1\n", "line 1: down takes 2 numbers"},
        {"down 1 2\nmove 3 4\n", "line 2: move takes 3 numbers"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ShellScript::parse(c.script, &error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
    std::string error;
    auto commands = ShellScript::parse("down 1 2\nmove 3 4 0.5\nwait 1\nup\n", &error);
    ASSERT_TRUE(commands) << error;
    ASSERT_EQ(commands->size(), 4u);
    EXPECT_EQ((*commands)[1].kind, ShellScriptCommand::Kind::Move);
    EXPECT_EQ((*commands)[1].x1, 3);
    EXPECT_EQ((*commands)[1].seconds, 0.5);
    EXPECT_EQ((*commands)[3].kind, ShellScriptCommand::Kind::Up);
}

}  // namespace

TEST(ScriptRunnerTest, TwoFingerCommandsSpreadOrCarryTheirPairInFrameSteps) {
    struct Case {
        const char* script;
        std::vector<std::string> calls;
    } cases[] = {
        // A pinch keeps its centre and spreads the fingers; a finger left down is lifted first.
        {"down 1 1\npinch 160 200 20 100 0.02\n",
         {"idle", "down 1,1", "up 1,1", "down2 150,200 170,200", "advance 10", "move2 130,200 190,200", "advance 10",
          "move2 110,200 210,200", "up2 110,200 210,200", "idle"}},
        {"pinch 160 200 100 20 0\n",
         {"idle", "down2 110,200 210,200", "advance 0", "move2 130,200 190,200", "advance 0", "move2 150,200 170,200",
          "up2 150,200 170,200", "idle"}},
        // drag2 keeps the fingers 40 points apart and moves their centre.
        {"drag2 100 300 20 300 0.02\n",
         {"idle", "down2 80,300 120,300", "advance 10", "move2 40,300 80,300", "advance 10", "move2 0,300 40,300",
          "up2 0,300 40,300", "idle"}},
    };
    for (const Case& c : cases) {
        RecordingDriver driver;
        EXPECT_EQ(play(c.script, driver), c.calls) << c.script;
    }
}
