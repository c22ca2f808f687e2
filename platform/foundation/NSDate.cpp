#include "platform/foundation/NSDate.h"

#include <cmath>
#include <ctime>

#include "platform/foundation/Format.h"
#include "platform/foundation/RunLoop.h"

NSDate NSDate::date() { return NSDate(RunLoop::main().wallClockNow()); }
NSDate NSDate::dateWithTimeIntervalSince1970(double seconds) { return NSDate(seconds); }
NSDate NSDate::dateWithTimeIntervalSinceNow(double seconds) { return NSDate(date().seconds_ + seconds); }
// The platform's far-off dates: 4001-01-01 and 0001-01-01 (UTC).
NSDate NSDate::distantFuture() { return NSDate(64092211200.0); }
NSDate NSDate::distantPast() { return NSDate(-62135596800.0); }
double NSDate::timeIntervalSinceNow() const { return seconds_ - RunLoop::main().wallClockNow(); }

std::string describe(const NSDate& date)
{
    const double s = std::floor(date.timeIntervalSince1970());
    const std::time_t t = static_cast<std::time_t>(s);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return stringWithFormat("%04d-%02d-%02d %02d:%02d:%02d +0000", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                            tm.tm_hour, tm.tm_min, tm.tm_sec);
}
