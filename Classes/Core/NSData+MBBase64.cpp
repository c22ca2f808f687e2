#include "Classes/Core/NSData+MBBase64.h"

#include <array>

namespace NSData {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kInvalid = 127;

const std::array<uint8_t, 256>& decodingTable() {
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> t{};
        t.fill(kInvalid);
        for (uint8_t i = 0; i < 64; ++i) t[static_cast<uint8_t>(kAlphabet[i])] = i;
        return t;
    }();
    return table;
}

bool isSkipped(unsigned char c) {
    return c == '=' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<std::vector<uint8_t>> dataWithBase64EncodedString(const std::string& text) {
    const auto& table = decodingTable();
    std::vector<uint8_t> out;
    uint8_t group[4];
    int count = 0;
    for (unsigned char c : text) {
        if (c >= 0x80) return std::nullopt;
        if (isSkipped(c)) continue;
        uint8_t value = table[c];
        if (value == kInvalid) return std::nullopt;
        group[count++] = value;
        if (count == 4) {
            out.push_back(static_cast<uint8_t>((group[0] << 2) | (group[1] >> 4)));
            out.push_back(static_cast<uint8_t>((group[1] << 4) | (group[2] >> 2)));
            out.push_back(static_cast<uint8_t>((group[2] << 6) | group[3]));
            count = 0;
        }
    }
    if (count == 1) return std::nullopt;
    if (count >= 2) out.push_back(static_cast<uint8_t>((group[0] << 2) | (group[1] >> 4)));
    if (count == 3) out.push_back(static_cast<uint8_t>((group[1] << 4) | (group[2] >> 2)));
    return out;
}

std::string base64Encoding(const std::vector<uint8_t>& data) {
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= data.size(); i += 3) {
        uint32_t n = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    size_t rest = data.size() - i;
    if (rest > 0) {
        uint32_t n = data[i] << 16;
        if (rest == 2) n |= data[i + 1] << 8;
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

}  // namespace NSData
