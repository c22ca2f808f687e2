#include "platform/foundation/Localization.h"

#include <mutex>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

namespace {

// Text of a strings file as UTF-8, whatever its byte order mark says.
std::string decodeText(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        const bool little = bytes[0] == 0xFF;
        std::u16string units;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(little ? bytes[i] | bytes[i + 1] << 8 : bytes[i] << 8 | bytes[i + 1]));
        return str::fromUtf16(units);
    }
    size_t start = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    return str::sanitizeUtf8(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end()));
}

class Parser {
public:
    explicit Parser(const std::string& text) : s_(text) {}

    std::optional<std::map<std::string, std::string>> run(std::string* error)
    {
        std::map<std::string, std::string> entries;
        for (;;) {
            if (!skipSpaceAndComments())
                return fail(error);
            if (i_ >= s_.size())
                return entries;
            std::string key, value;
            if (!token(key))
                return fail(error);
            if (!skipSpaceAndComments())
                return fail(error);
            if (i_ < s_.size() && s_[i_] == ';') { // "key"; stands for "key" = "key";
                ++i_;
                entries[key] = key;
                continue;
            }
            if (i_ >= s_.size() || s_[i_] != '=') {
                why_ = "expected '=' after a key";
                return fail(error);
            }
            ++i_;
            if (!skipSpaceAndComments() || !token(value) || !skipSpaceAndComments())
                return fail(error);
            if (i_ >= s_.size() || s_[i_] != ';') {
                why_ = "expected ';' after a value";
                return fail(error);
            }
            ++i_;
            entries[key] = value;
        }
    }

private:
    std::nullopt_t fail(std::string* error)
    {
        if (error) {
            size_t line = 1;
            for (size_t k = 0; k < i_ && k < s_.size(); ++k)
                line += s_[k] == '\n';
            *error = "line " + std::to_string(line) + ": " + why_;
        }
        return std::nullopt;
    }

    bool skipSpaceAndComments()
    {
        while (i_ < s_.size()) {
            const char c = s_[i_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++i_;
            } else if (s_.compare(i_, 2, "//") == 0) {
                while (i_ < s_.size() && s_[i_] != '\n')
                    ++i_;
            } else if (s_.compare(i_, 2, "/*") == 0) {
                const size_t end = s_.find("*/", i_ + 2);
                if (end == std::string::npos) {
                    why_ = "unterminated comment";
                    return false;
                }
                i_ = end + 2;
            } else {
                break;
            }
        }
        return true;
    }

    static bool bareChar(char c)
    {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               std::string_view("_$+/:.-").find(c) != std::string_view::npos;
    }

    int hexDigits(size_t count)
    {
        if (i_ + count > s_.size())
            return -1;
        int v = 0;
        for (size_t k = 0; k < count; ++k) {
            const char c = s_[i_ + k];
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0)
                return -1;
            v = v * 16 + d;
        }
        i_ += count;
        return v;
    }

    bool token(std::string& out)
    {
        if (i_ >= s_.size()) {
            why_ = "unexpected end of file";
            return false;
        }
        if (s_[i_] != '"') {
            const size_t start = i_;
            while (i_ < s_.size() && bareChar(s_[i_]))
                ++i_;
            if (i_ == start) {
                why_ = std::string("unexpected character '") + s_[i_] + "'";
                return false;
            }
            out = s_.substr(start, i_ - start);
            return true;
        }
        ++i_;
        std::u16string pendingHigh;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i_ >= s_.size())
                break;
            c = s_[i_++];
            switch (c) {
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'r': out.push_back('\r'); break;
            case 'U':
            case 'u': {
                int v = hexDigits(4);
                if (v < 0) {
                    why_ = "bad \\u escape";
                    return false;
                }
                // A surrogate pair written as two escapes.
                if (v >= 0xD800 && v <= 0xDBFF && s_.compare(i_, 2, "\\u") == 0) {
                    i_ += 2;
                    const int low = hexDigits(4);
                    if (low >= 0xDC00 && low <= 0xDFFF)
                        v = 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
                    else
                        v = 0xFFFD;
                }
                str::appendUtf8(out, static_cast<char32_t>(v));
                break;
            }
            default:
                if (c >= '0' && c <= '7') { // octal, up to three digits
                    int v = c - '0';
                    for (int k = 0; k < 2 && i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '7'; ++k)
                        v = v * 8 + (s_[i_++] - '0');
                    str::appendUtf8(out, static_cast<char32_t>(v));
                } else {
                    out.push_back(c); // \" \\ \' and anything else stand for themselves
                }
            }
        }
        if (i_ >= s_.size()) {
            why_ = "unterminated string";
            return false;
        }
        ++i_;
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
    std::string why_ = "malformed";
};

std::mutex& cacheMutex()
{
    static std::mutex m;
    return m;
}
std::map<std::string, std::shared_ptr<const StringTable>>& cache()
{
    static std::map<std::string, std::shared_ptr<const StringTable>> tables;
    return tables;
}

} // namespace

std::optional<std::map<std::string, std::string>> StringTable::parse(const std::string& text, std::string* error)
{
    return Parser(text).run(error);
}

std::shared_ptr<const StringTable> StringTable::load(const std::string& lang, const std::string& table,
                                                     const std::string& bundleFolder)
{
    const std::string folder = bundleFolder.empty() ? Paths::bundle() : bundleFolder;
    const std::string path = str::appendPathComponent(folder, lang + ".lproj/" + table + ".strings");
    std::lock_guard<std::mutex> lock(cacheMutex());
    if (auto it = cache().find(path); it != cache().end())
        return it->second;
    std::map<std::string, std::string> entries;
    NSFileManager& fm = NSFileManager::defaultManager();
    if (fm.fileExistsAtPath(path)) {
        auto bytes = fm.contentsAtPath(path);
        std::string error;
        std::optional<std::map<std::string, std::string>> parsed;
        if (bytes)
            parsed = parse(decodeText(*bytes), &error);
        else
            error = "cannot be read";
        if (parsed)
            entries = std::move(*parsed);
        else
            NSLog("String table %@ ignored: %@", path, error);
    }
    auto result = std::make_shared<const StringTable>(lang, std::move(entries));
    cache()[path] = result;
    return result;
}

void StringTable::clearCache()
{
    std::lock_guard<std::mutex> lock(cacheMutex());
    cache().clear();
}

std::optional<std::string> StringTable::lookup(const std::string& key) const
{
    auto it = entries_.find(key);
    if (it == entries_.end())
        return std::nullopt;
    return it->second;
}

std::string StringTable::localizedString(const std::string& key, const std::string& fallback) const
{
    if (auto v = lookup(key))
        return *v;
    return fallback.empty() ? key : fallback;
}

std::string localizedString(const std::string& key, const std::string& lang, const std::string& fallback,
                            const std::string& table)
{
    if (auto v = StringTable::load(lang, table)->lookup(key))
        return *v;
    if (lang != "en")
        if (auto v = StringTable::load("en", table)->lookup(key))
            return *v;
    return fallback.empty() ? key : fallback;
}
