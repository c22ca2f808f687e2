#pragma once
// printf-style formatting with the platform's conversions:
//   %@ (any string or value with a describe() overload), %d %i %u %x %X %o %c %C %s
//   %f %F %e %E %g %G %p %%, flags (- + space 0 #), width and precision (digits or *),
//   length modifiers (hh h l ll q z j t L) which are accepted and ignored.
// Mismatched arguments never crash: a missing argument prints nothing, a string given
// to a number conversion is read as a number (as NSString's intValue/doubleValue), a
// number given to %@ or %s prints the number. Invalid UTF-8 in strings becomes U+FFFD.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

class Value;

struct FormatArg {
    enum class Kind { Int, UInt, Double, String, Pointer };
    Kind kind = Kind::Int;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0;
    std::string s;
    const void* p = nullptr;

    FormatArg() = default;
    FormatArg(bool v) : kind(Kind::Int), i(v ? 1 : 0) {}
    FormatArg(char v) : kind(Kind::Int), i(v) {}
    FormatArg(signed char v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned char v) : kind(Kind::UInt), u(v) {}
    FormatArg(short v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned short v) : kind(Kind::UInt), u(v) {}
    FormatArg(int v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned v) : kind(Kind::UInt), u(v) {}
    FormatArg(long v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned long v) : kind(Kind::UInt), u(v) {}
    FormatArg(long long v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned long long v) : kind(Kind::UInt), u(v) {}
    FormatArg(char16_t v) : kind(Kind::UInt), u(v) {}
    FormatArg(char32_t v) : kind(Kind::UInt), u(v) {}
    FormatArg(float v) : kind(Kind::Double), d(v) {}
    FormatArg(double v) : kind(Kind::Double), d(v) {}
    FormatArg(long double v) : kind(Kind::Double), d(static_cast<double>(v)) {}
    FormatArg(const char* v) : kind(Kind::String), s(v ? v : "(null)") {}
    FormatArg(char* v) : FormatArg(static_cast<const char*>(v)) {}
    FormatArg(const std::string& v) : kind(Kind::String), s(v) {}
    FormatArg(std::string_view v) : kind(Kind::String), s(v) {}
    FormatArg(const Value& v);
    FormatArg(std::nullptr_t) : kind(Kind::String), s("(null)") {}
    template <class E, std::enable_if_t<std::is_enum_v<E>, int> = 0>
    FormatArg(E v) : FormatArg(static_cast<std::underlying_type_t<E>>(v)) {}
    template <class T>
    FormatArg(T* v) : kind(Kind::Pointer), p(static_cast<const void*>(v)) {}
};

namespace format_detail {
template <class T, class = void>
struct HasDescribe : std::false_type {};
template <class T>
struct HasDescribe<T, std::void_t<decltype(describe(std::declval<const T&>()))>> : std::true_type {};

template <class T>
FormatArg toArg(const T& v)
{
    if constexpr (std::is_constructible_v<FormatArg, const T&>)
        return FormatArg(v);
    else {
        static_assert(HasDescribe<T>::value, "give the type a describe(const T&) overload returning std::string");
        return FormatArg(std::string(describe(v)));
    }
}
} // namespace format_detail

std::string formatWithArgs(std::string_view fmt, const FormatArg* args, size_t count);

template <class... Args>
std::string stringWithFormat(const char* fmt, const Args&... args)
{
    if (!fmt)
        return {};
    if constexpr (sizeof...(Args) == 0) {
        return formatWithArgs(fmt, nullptr, 0);
    } else {
        const FormatArg list[] = {format_detail::toArg(args)...};
        return formatWithArgs(fmt, list, sizeof...(Args));
    }
}
