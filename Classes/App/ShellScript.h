#pragma once
// A script of user actions for the program, one command a line (coordinates in points of
// the upright screen, times in seconds):
//   tap X Y | hold X Y SECONDS | drag X1 Y1 X2 Y2 SECONDS | type TEXT | key NAME
//   down X Y | move X Y SECONDS | up      (one finger step by step; "up" lifts it where it is)
//   pinch X Y FROM TO SECONDS   (two fingers side by side about X Y, FROM points apart going to TO)
//   drag2 X1 Y1 X2 Y2 SECONDS   (two fingers 40 points apart, side by side, moved together)
//   rotate left|right|portrait | wait SECONDS | shot NAME.png | quit
// Empty lines and lines starting with "#" are skipped. Times lie between 0 and one day; the
// fingers of a pinch lie between 1 and 10000 points apart.
// "wait" and "shot" first let the worker threads end and their results show.

#include <optional>
#include <string>
#include <vector>

class ScriptDriver;

struct ShellScriptCommand {
    enum class Kind { Tap, Hold, Drag, Down, Move, Up, Pinch, Drag2, Type, Key, Rotate, Wait, Shot, Quit };
    Kind kind = Kind::Wait;
    int line = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double spread1 = 0, spread2 = 0;  // distance between two fingers at the start and the end
    double seconds = 0;
    std::string text;  // typed text, key name, orientation or shot file name
};

class ShellScript {
public:
    // The commands, or nullopt with "line N: reason" in *error.
    static std::optional<std::vector<ShellScriptCommand>> parse(const std::string& text, std::string* error);
    // Runs the commands on a backend (the headless one on its clock, or the window on the
    // real one). Shots go into shotsDir. False with *error set when a shot cannot be written.
    [[nodiscard]] static bool run(const std::vector<ShellScriptCommand>& commands, ScriptDriver& driver,
                                  const std::string& shotsDir, std::string* error);
    static const char* usage();
};
