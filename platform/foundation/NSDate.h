#pragma once
// A point in time as seconds since 1970-01-01 00:00 UTC. "Now" comes from the main run
// loop's wall clock, so tests on the virtual clock control it.

#include <compare>
#include <string>

class NSDate {
public:
    NSDate() = default; // the reference moment 1970-01-01 00:00:00 UTC
    static NSDate date(); // now
    static NSDate dateWithTimeIntervalSince1970(double seconds);
    static NSDate dateWithTimeIntervalSinceNow(double seconds);
    static NSDate distantFuture();
    static NSDate distantPast();

    double timeIntervalSince1970() const { return seconds_; }
    double timeIntervalSinceNow() const;
    double timeIntervalSinceDate(const NSDate& other) const { return seconds_ - other.seconds_; }
    NSDate dateByAddingTimeInterval(double seconds) const { return NSDate(seconds_ + seconds); }

    auto operator<=>(const NSDate&) const = default;
    bool operator==(const NSDate&) const = default;

private:
    explicit NSDate(double seconds) : seconds_(seconds) {}
    double seconds_ = 0;
};

// "2025-01-06 10:00:00 +0000" (UTC), for logs and %@.
std::string describe(const NSDate& date);
