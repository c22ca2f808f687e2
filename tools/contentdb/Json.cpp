#include "tools/contentdb/Json.h"

#include "tools/contentdb/VerseEncoder.h"

#include <cstdlib>

namespace {
const JsonValue& nullValue()
{
    static const JsonValue value;
    return value;
}

} // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const
{
    if (kind_ != Kind::Object)
        return nullValue();
    auto it = object_.find(key);
    return it == object_.end() ? nullValue() : it->second;
}

const JsonValue& JsonValue::operator[](size_t index) const
{
    if (kind_ != Kind::Array || index >= array_.size())
        return nullValue();
    return array_[index];
}

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    bool parseDocument(JsonValue& out, std::string& error)
    {
        skipSpace();
        if (!parseValue(out, 0)) {
            error = error_ + " at byte " + std::to_string(pos_);
            return false;
        }
        skipSpace();
        if (pos_ != text_.size()) {
            error = "trailing characters at byte " + std::to_string(pos_);
            return false;
        }
        return true;
    }

private:
    static constexpr int kMaxDepth = 256;

    bool fail(const char* message)
    {
        error_ = message;
        return false;
    }

    void skipSpace()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' || text_[pos_] == '\r' || text_[pos_] == '\t'))
            ++pos_;
    }

    bool literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return fail("invalid literal");
        pos_ += word.size();
        return true;
    }

    bool parseValue(JsonValue& out, int depth)
    {
        if (depth > kMaxDepth)
            return fail("nesting too deep");
        if (pos_ >= text_.size())
            return fail("unexpected end of input");
        char c = text_[pos_];
        switch (c) {
        case '{': return parseObject(out, depth);
        case '[': return parseArray(out, depth);
        case '"': out.kind_ = JsonValue::Kind::String; return parseString(out.string_);
        case 't': out.kind_ = JsonValue::Kind::Bool; out.boolean_ = true; return literal("true");
        case 'f': out.kind_ = JsonValue::Kind::Bool; out.boolean_ = false; return literal("false");
        case 'n': out.kind_ = JsonValue::Kind::Null; return literal("null");
        default:
            if (c == '-' || (c >= '0' && c <= '9'))
                return parseNumber(out);
            return fail("unexpected character");
        }
    }

    bool parseNumber(JsonValue& out)
    {
        size_t start = pos_;
        if (text_[pos_] == '-')
            ++pos_;
        auto digits = [&] {
            size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            return pos_ > from;
        };
        if (!digits())
            return fail("invalid number");
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits())
                return fail("invalid number");
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            if (!digits())
                return fail("invalid number");
        }
        std::string number(text_.substr(start, pos_ - start));
        out.kind_ = JsonValue::Kind::Number;
        out.number_ = std::strtod(number.c_str(), nullptr);
        return true;
    }

    bool hex4(unsigned& value)
    {
        if (pos_ + 4 > text_.size())
            return fail("truncated escape");
        value = 0;
        for (int i = 0; i < 4; ++i) {
            char h = text_[pos_++];
            value <<= 4;
            if (h >= '0' && h <= '9') value |= h - '0';
            else if (h >= 'a' && h <= 'f') value |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F') value |= h - 'A' + 10;
            else return fail("invalid escape");
        }
        return true;
    }

    bool parseString(std::string& out)
    {
        ++pos_; // opening quote
        while (true) {
            if (pos_ >= text_.size())
                return fail("unterminated string");
            char c = text_[pos_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                return fail("unterminated string");
            char e = text_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned cp;
                if (!hex4(cp))
                    return false;
                if (cp >= 0xD800 && cp < 0xDC00) {
                    unsigned low = 0;
                    if (text_.substr(pos_, 2) != "\\u")
                        return fail("unpaired surrogate");
                    pos_ += 2;
                    if (!hex4(low) || low < 0xDC00 || low > 0xDFFF)
                        return fail("unpaired surrogate");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                    return fail("unpaired surrogate");
                }
                out += VerseEncoder::encodeUtf8({static_cast<char32_t>(cp)});
                break;
            }
            default: return fail("invalid escape");
            }
        }
    }

    bool parseArray(JsonValue& out, int depth)
    {
        out.kind_ = JsonValue::Kind::Array;
        ++pos_;
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return true;
        }
        while (true) {
            out.array_.emplace_back();
            skipSpace();
            if (!parseValue(out.array_.back(), depth + 1))
                return false;
            skipSpace();
            if (pos_ >= text_.size())
                return fail("unterminated array");
            char c = text_[pos_++];
            if (c == ']')
                return true;
            if (c != ',')
                return fail("expected ',' or ']'");
        }
    }

    bool parseObject(JsonValue& out, int depth)
    {
        out.kind_ = JsonValue::Kind::Object;
        ++pos_;
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return true;
        }
        while (true) {
            skipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                return fail("expected a member name");
            std::string key;
            if (!parseString(key))
                return false;
            skipSpace();
            if (pos_ >= text_.size() || text_[pos_++] != ':')
                return fail("expected ':'");
            skipSpace();
            JsonValue value;
            if (!parseValue(value, depth + 1))
                return false;
            out.object_[std::move(key)] = std::move(value);
            skipSpace();
            if (pos_ >= text_.size())
                return fail("unterminated object");
            char c = text_[pos_++];
            if (c == '}')
                return true;
            if (c != ',')
                return fail("expected ',' or '}'");
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    std::string error_;
};

bool JsonValue::parse(std::string_view text, JsonValue& out, std::string& error)
{
    out = JsonValue();
    JsonParser parser(text);
    return parser.parseDocument(out, error);
}
