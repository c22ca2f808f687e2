// Reads the members of a ustar archive in memory (names and data), for tests that look into
// chapter archives. Stops at the first zero block; an unreadable header ends the list early.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

struct TarMember {
    std::string name;
    std::vector<uint8_t> data;
};

inline std::vector<TarMember> tarMembers(const std::vector<uint8_t>& tar)
{
    std::vector<TarMember> out;
    size_t pos = 0;
    while (pos + 512 <= tar.size() && tar[pos] != 0) {
        const char* h = reinterpret_cast<const char*>(tar.data() + pos);
        const size_t size = std::strtoull(std::string(h + 124, 12).c_str(), nullptr, 8);
        if (pos + 512 + size > tar.size())
            break;
        TarMember m{std::string(h, strnlen(h, 100)), {}};
        m.data.assign(tar.begin() + pos + 512, tar.begin() + pos + 512 + size);
        out.push_back(std::move(m));
        pos += 512 + (size + 511) / 512 * 512;
    }
    return out;
}
