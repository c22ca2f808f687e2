#include "Classes/App/ShellScript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

#include "platform/backends/ScriptDriver.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/StringUtils.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIResponder.h"

namespace {

using Kind = ShellScriptCommand::Kind;

// Longest time a command may take: one day.
constexpr double kMaxSeconds = 24 * 60 * 60;
// How long a script waits in real time for worker threads before it goes on.
constexpr double kWorkerWaitSeconds = 120;
// Bytes of bad text an error message quotes.
constexpr size_t kQuotedBytes = 24;
// How far apart two fingers may be, and how far apart drag2 holds them.
constexpr double kMinSpread = 1, kMaxSpread = 10000, kDrag2Spread = 40;

// Keys by name; -1 stands for the delete-backward key.
const std::map<std::string, int>& keyNames() {
    static const std::map<std::string, int> m = {
        {"return", UIResponder::KeyReturn}, {"enter", UIResponder::KeyReturn}, {"escape", UIResponder::KeyEscape},
        {"tab", UIResponder::KeyTab},       {"left", UIResponder::KeyLeft},    {"right", UIResponder::KeyRight},
        {"up", UIResponder::KeyUp},         {"down", UIResponder::KeyDown},    {"home", UIResponder::KeyHome},
        {"end", UIResponder::KeyEnd},       {"pageup", UIResponder::KeyPageUp}, {"pagedown", UIResponder::KeyPageDown},
        {"delete", UIResponder::KeyDelete}, {"backspace", -1},
    };
    return m;
}

bool number(const std::string& word, double* out) {
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, *out);
    return !word.empty() && ec == std::errc() && ptr == end && std::isfinite(*out);
}

struct Form {
    Kind kind;
    size_t numbers;  // how many numbers follow the command word
};

const std::map<std::string, Form>& forms() {
    static const std::map<std::string, Form> m = {
        {"tap", {Kind::Tap, 2}},   {"hold", {Kind::Hold, 3}}, {"drag", {Kind::Drag, 5}},
        {"down", {Kind::Down, 2}}, {"move", {Kind::Move, 3}}, {"up", {Kind::Up, 0}},
        {"pinch", {Kind::Pinch, 5}}, {"drag2", {Kind::Drag2, 5}},
        {"type", {Kind::Type, 0}}, {"key", {Kind::Key, 0}},   {"rotate", {Kind::Rotate, 0}},
        {"wait", {Kind::Wait, 1}}, {"shot", {Kind::Shot, 0}}, {"quit", {Kind::Quit, 0}},
    };
    return m;
}

std::string quote(const std::string& text) { return str::quoteForMessage(text, kQuotedBytes); }

std::string commandWord(const std::string& line) { return line.substr(0, line.find_first_of(" \t")); }

std::optional<ShellScriptCommand> parseLine(const std::string& raw, int lineNumber, std::string* reason) {
    std::string line = str::trim(raw);
    size_t space = line.find_first_of(" \t");
    std::string word = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : str::trim(line.substr(space + 1));
    auto form = forms().find(word);
    if (form == forms().end()) {
        *reason = "unknown command " + quote(word);
        return std::nullopt;
    }
    ShellScriptCommand c;
    c.kind = form->second.kind;
    c.line = lineNumber;
    if (form->second.numbers > 0) {
        std::istringstream in(rest);
        std::vector<double> values;
        std::string token;
        while (in >> token) {
            double v = 0;
            if (!number(token, &v)) {
                *reason = quote(token) + " is not a number";
                return std::nullopt;
            }
            values.push_back(v);
        }
        if (values.size() != form->second.numbers) {
            *reason = word + " takes " + std::to_string(form->second.numbers) + " numbers";
            return std::nullopt;
        }
        switch (c.kind) {
        case Kind::Tap:
        case Kind::Down: c.x1 = values[0], c.y1 = values[1]; break;
        case Kind::Hold:
        case Kind::Move: c.x1 = values[0], c.y1 = values[1], c.seconds = values[2]; break;
        case Kind::Drag:
            c.x1 = values[0], c.y1 = values[1], c.x2 = values[2], c.y2 = values[3], c.seconds = values[4];
            break;
        case Kind::Drag2:
            c.x1 = values[0], c.y1 = values[1], c.x2 = values[2], c.y2 = values[3], c.seconds = values[4];
            c.spread1 = c.spread2 = kDrag2Spread;
            break;
        case Kind::Pinch:
            c.x1 = c.x2 = values[0], c.y1 = c.y2 = values[1];
            c.spread1 = values[2], c.spread2 = values[3], c.seconds = values[4];
            if (std::min(c.spread1, c.spread2) < kMinSpread || std::max(c.spread1, c.spread2) > kMaxSpread) {
                *reason = "pinch fingers lie between 1 and 10000 points apart";
                return std::nullopt;
            }
            break;
        default: c.seconds = values[0]; break;
        }
        if (c.seconds < 0) {
            *reason = "a time cannot be negative";
            return std::nullopt;
        }
        if (c.seconds > kMaxSeconds) {
            *reason = "a time cannot be longer than a day (86400 seconds)";
            return std::nullopt;
        }
        return c;
    }
    c.text = rest;
    switch (c.kind) {
    case Kind::Type:
        if (rest.empty()) *reason = "type needs the text to type";
        break;
    case Kind::Key:
        if (!keyNames().count(str::lowercase(rest))) *reason = "unknown key " + quote(rest);
        break;
    case Kind::Rotate:
        if (rest != "left" && rest != "right" && rest != "portrait") *reason = "rotate takes left, right or portrait";
        break;
    case Kind::Shot:
        if (!str::hasSuffix(rest, ".png") || rest.find('/') != std::string::npos || rest.size() <= 4)
            *reason = "shot takes a file name ending in .png";
        break;
    case Kind::Quit:
    case Kind::Up:
        if (!rest.empty()) *reason = word + " takes nothing";
        break;
    default: break;
    }
    if (!reason->empty()) return std::nullopt;
    return c;
}

// Lets the workers end and their results run on the main loop.
void settleWorkers(ScriptDriver& driver) {
    if (runningWorkerCount() == 0) return;
    waitForWorkers(kWorkerWaitSeconds);
    driver.runUntilIdle();
}

// Lets transfers in flight (the network indicator is on) go on in real time for as long as the
// script waits, since the network does not follow the virtual clock.
void settleNetwork(double seconds) {
    UIApplication& app = UIApplication::sharedApplication();
    if (!app.isNetworkActivityIndicatorVisible()) return;
    RunLoop::main().runUntil([&app] { return !app.isNetworkActivityIndicatorVisible(); }, seconds);
}

}  // namespace

std::optional<std::vector<ShellScriptCommand>> ShellScript::parse(const std::string& text, std::string* error) {
    std::vector<ShellScriptCommand> commands;
    std::istringstream in(text);
    std::string raw;
    int lineNumber = 0;
    bool fingerDown = false;
    while (std::getline(in, raw)) {
        ++lineNumber;
        std::string line = str::trim(raw);
        if (line.empty() || line[0] == '#') continue;
        std::string reason;
        auto command = parseLine(line, lineNumber, &reason);
        if (!command) {
            if (error) *error = "line " + std::to_string(lineNumber) + ": " + reason;
            return std::nullopt;
        }
        // "move" and "up" belong to a finger put down by "down"; any other touch lifts it.
        const Kind kind = command->kind;
        if ((kind == Kind::Move || kind == Kind::Up) && !fingerDown) {
            if (error) *error = "line " + std::to_string(lineNumber) + ": " + commandWord(line) + " needs a finger put down by down";
            return std::nullopt;
        }
        if (kind == Kind::Down) fingerDown = true;
        else if (kind == Kind::Up || kind == Kind::Tap || kind == Kind::Hold || kind == Kind::Drag ||
                 kind == Kind::Pinch || kind == Kind::Drag2)
            fingerDown = false;
        commands.push_back(*command);
    }
    return commands;
}

bool ShellScript::run(const std::vector<ShellScriptCommand>& commands, ScriptDriver& driver,
                      const std::string& shotsDir, std::string* error) {
    // Where the finger is while it stays down between commands.
    CGPoint finger{};
    bool fingerIsDown = false;
    auto moveFinger = [&](CGPoint to, double seconds) {
        const CGPoint from = finger;
        const int steps = std::max(2, static_cast<int>(seconds * 60));
        for (int i = 1; i <= steps; ++i) {
            driver.advance(seconds * 1000 / steps);
            const double t = static_cast<double>(i) / steps;
            finger = CGPointMake(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t);
            driver.fingerMove(finger);
        }
    };
    auto press = [&](double x, double y) {
        finger = CGPointMake(x, y);
        fingerIsDown = true;
        driver.fingerDown(finger);
    };
    auto lift = [&] {
        if (!fingerIsDown) return;
        fingerIsDown = false;
        driver.fingerUp(finger);
    };

    // Two fingers side by side about a centre, moved and spread together, then lifted.
    auto moveFingerPair = [&](const ShellScriptCommand& c) {
        auto pair = [&](double t, CGPoint* a, CGPoint* b) {
            const double x = c.x1 + (c.x2 - c.x1) * t, y = c.y1 + (c.y2 - c.y1) * t;
            const double half = (c.spread1 + (c.spread2 - c.spread1) * t) / 2;
            *a = CGPointMake(x - half, y);
            *b = CGPointMake(x + half, y);
        };
        CGPoint a, b;
        pair(0, &a, &b);
        driver.fingerPairDown(a, b);
        const int steps = std::max(2, static_cast<int>(c.seconds * 60));
        for (int i = 1; i <= steps; ++i) {
            driver.advance(c.seconds * 1000 / steps);
            pair(static_cast<double>(i) / steps, &a, &b);
            driver.fingerPairMove(a, b);
        }
        driver.fingerPairUp(a, b);
    };

    driver.runUntilIdle();
    for (const ShellScriptCommand& c : commands) {
        switch (c.kind) {
        case Kind::Tap:
        case Kind::Hold:
            lift();
            press(c.x1, c.y1);
            driver.advance(c.kind == Kind::Tap ? 50 : c.seconds * 1000);
            lift();
            break;
        case Kind::Drag:
            lift();
            press(c.x1, c.y1);
            moveFinger(CGPointMake(c.x2, c.y2), c.seconds);
            lift();
            break;
        case Kind::Down:
            lift();
            press(c.x1, c.y1);
            break;
        case Kind::Move:
            moveFinger(CGPointMake(c.x1, c.y1), c.seconds);
            break;
        case Kind::Up: lift(); break;
        case Kind::Pinch:
        case Kind::Drag2:
            lift();
            moveFingerPair(c);
            break;
        case Kind::Type: driver.typeText(c.text); break;
        case Kind::Key: {
            int key = keyNames().at(str::lowercase(c.text));
            if (key < 0) driver.deleteBackward();
            else driver.pressKey(key);
            break;
        }
        case Kind::Rotate:
            driver.rotate(c.text == "left"    ? UIDeviceOrientationLandscapeLeft
                          : c.text == "right" ? UIDeviceOrientationLandscapeRight
                                              : UIDeviceOrientationPortrait);
            break;
        case Kind::Wait:
            // Work that runs on workers finishes as it would while the user waits.
            settleNetwork(std::min(c.seconds, kWorkerWaitSeconds));
            settleWorkers(driver);
            driver.advance(c.seconds * 1000);
            settleWorkers(driver);
            break;
        case Kind::Shot: {
            settleWorkers(driver);
            driver.runUntilIdle();
            std::string path = str::appendPathComponent(shotsDir.empty() ? "." : shotsDir, c.text);
            if (!driver.screenshot(path)) {
                if (error) *error = "line " + std::to_string(c.line) + ": cannot write " + str::quoteForMessage(path);
                lift();
                return false;
            }
            break;
        }
        case Kind::Quit: lift(); return true;
        }
        // While the finger rests on the screen only the script's own times pass.
        if (!fingerIsDown) driver.runUntilIdle();
        if (driver.quitRequested()) return true;
    }
    lift();
    return true;
}

const char* ShellScript::usage() {
    return "script commands, one a line (points, seconds):\n"
           "  tap X Y | hold X Y SECONDS | drag X1 Y1 X2 Y2 SECONDS | type TEXT | key NAME\n"
           "  down X Y | move X Y SECONDS | up\n"
           "  pinch X Y FROM TO SECONDS | drag2 X1 Y1 X2 Y2 SECONDS\n"
           "  rotate left|right|portrait | wait SECONDS | shot NAME.png | quit\n";
}
