#include "toolkit/style/TTStyleCoding.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace TTStyleCoding {

namespace {
std::string numbers(std::initializer_list<double> values) {
    std::string out = "{";
    bool first = true;
    for (double v : values) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.9g", v);
        if (!first) out += ", ";
        out += buf;
        first = false;
    }
    return out + "}";
}

// Reads up to n numbers from "{a, b, ...}"; missing or malformed entries stay 0.
template <size_t N>
std::array<double, N> parseNumbers(const NSKeyedUnarchiver& coder, const std::string& key) {
    std::array<double, N> out{};
    const auto text = coder.decodeString(key);
    if (!text) return out;
    const char* p = text->c_str();
    for (size_t i = 0; i < N && *p; ++i) {
        while (*p == '{' || *p == ',' || *p == ' ') ++p;
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p) break;
        out[i] = v;
        p = end;
    }
    return out;
}
}  // namespace

void encodeSize(NSKeyedArchiver& coder, CGSize size, const std::string& key) {
    coder.encodeString(numbers({size.width, size.height}), key);
}

CGSize decodeSize(const NSKeyedUnarchiver& coder, const std::string& key) {
    const auto v = parseNumbers<2>(coder, key);
    return CGSizeMake(v[0], v[1]);
}

void encodeInsets(NSKeyedArchiver& coder, UIEdgeInsets insets, const std::string& key) {
    coder.encodeString(numbers({insets.top, insets.left, insets.bottom, insets.right}), key);
}

UIEdgeInsets decodeInsets(const NSKeyedUnarchiver& coder, const std::string& key) {
    const auto v = parseNumbers<4>(coder, key);
    return UIEdgeInsetsMake(v[0], v[1], v[2], v[3]);
}

void encodeColor(NSKeyedArchiver& coder, const UIColorPtr& color, const std::string& key) {
    if (!color) return;
    coder.encodeValue(Value(Value::Array{color->red(), color->green(), color->blue(), color->alpha()}), key);
}

UIColorPtr decodeColor(const NSKeyedUnarchiver& coder, const std::string& key) {
    const Value::Array* a = coder.decodeValue(key).array();
    if (!a || a->size() != 4) return nullptr;
    for (const Value& v : *a)
        if (!v.isNumber()) return nullptr;
    return UIColor::colorWithRed((*a)[0].doubleValue(), (*a)[1].doubleValue(), (*a)[2].doubleValue(),
                                 (*a)[3].doubleValue());
}

void encodeFont(NSKeyedArchiver& coder, const UIFontPtr& font, const std::string& key) {
    if (!font) return;
    coder.encodeValue(Value(Value::Map{{"name", font->fontName()}, {"size", font->pointSize()}}), key);
}

UIFontPtr decodeFont(const NSKeyedUnarchiver& coder, const std::string& key) {
    const Value& v = coder.decodeValue(key);
    const std::string* name = v["name"].string();
    if (!name || !v["size"].isNumber()) return nullptr;
    return UIFont::fontWithName(*name, v["size"].doubleValue());
}

void encodeImage(NSKeyedArchiver& coder, const UIImagePtr& image, const std::string& key) {
    if (!image) return;
    auto png = UIImagePNGRepresentation(*image);
    if (!png.empty()) coder.encodeData(png, key);
}

UIImagePtr decodeImage(const NSKeyedUnarchiver& coder, const std::string& key) {
    const auto data = coder.decodeData(key);
    return data ? UIImage::imageWithData(*data) : nullptr;
}

}  // namespace TTStyleCoding
