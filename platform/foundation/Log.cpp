#include "platform/foundation/Log.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <unistd.h>

#include "platform/foundation/StringUtils.h"

namespace {
std::mutex& sinkMutex()
{
    static std::mutex m;
    return m;
}
std::vector<LogCapture*>& captures()
{
    static std::vector<LogCapture*> list;
    return list;
}
} // namespace

void logLine(const std::string& message)
{
    const std::string text = str::sanitizeUtf8(message);
    std::lock_guard<std::mutex> lock(sinkMutex());
    bool quiet = false;
    for (LogCapture* c : captures()) {
        c->append(text);
        quiet = quiet || c->quiet_;
    }
    if (quiet)
        return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    localtime_r(&secs, &tm);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%04d-%02d-%02d %02d:%02d:%02d.%03d lumeno[%d] ", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(millis),
                  static_cast<int>(getpid()));
    std::string line = prefix + text;
    if (line.empty() || line.back() != '\n')
        line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

LogCapture::LogCapture(bool quiet) : quiet_(quiet)
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    captures().push_back(this);
}

LogCapture::~LogCapture()
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    auto& list = captures();
    for (auto it = list.begin(); it != list.end(); ++it)
        if (*it == this) {
            list.erase(it);
            break;
        }
}

void LogCapture::append(const std::string& line) { lines_.push_back(line); }

std::vector<std::string> LogCapture::lines() const
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    return lines_;
}

bool LogCapture::contains(const std::string& text) const { return count(text) > 0; }

size_t LogCapture::count(const std::string& text) const
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    size_t n = 0;
    for (const auto& l : lines_)
        if (l.find(text) != std::string::npos)
            ++n;
    return n;
}

void LogCapture::clear()
{
    std::lock_guard<std::mutex> lock(sinkMutex());
    lines_.clear();
}
