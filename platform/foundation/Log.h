#pragma once
// One log sink for the whole program: lines with a time prefix on standard error.
// Thread-safe. Tests collect lines with LogCapture.

#include <string>
#include <vector>

#include "platform/foundation/Format.h"

// Writes one line (the message without a trailing newline) to the sink.
void logLine(const std::string& message);

template <class... Args>
void NSLog(const char* fmt, const Args&... args)
{
    logLine(stringWithFormat(fmt, args...));
}

// While alive, collects every line logged by any thread (the message only, no time
// prefix). Captures may nest; each sees the lines logged during its own life.
// Set quiet to keep the captured lines off standard error.
class LogCapture {
public:
    explicit LogCapture(bool quiet = true);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    // True when some captured line contains the text.
    bool contains(const std::string& text) const;
    // Number of captured lines containing the text.
    size_t count(const std::string& text) const;
    void clear();

private:
    friend void logLine(const std::string&);
    void append(const std::string& line);
    bool quiet_;
    mutable std::vector<std::string> lines_;
};
