#pragma once
// What the kernel says of this process's memory: the mapping holding an address (its name and
// its "VmFlags:" line from /proc/self/smaps), and whether large pages are offered on request.

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

struct MemoryMapping {
    std::string name;   // "[heap]", a file, or "" for anonymous memory
    std::string flags;  // the "VmFlags:" line; " hg" marks memory advised to use large pages
};

inline MemoryMapping mappingOf(const void* address) {
    std::ifstream smaps("/proc/self/smaps");
    const auto at = reinterpret_cast<uintptr_t>(address);
    MemoryMapping found;
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream head(line);
        if (head >> std::hex >> from >> dash >> to && dash == '-') {
            inside = from <= at && at < to;
            if (inside) {
                std::istringstream fields(line);
                std::string field;
                for (int i = 0; i < 6 && fields >> field; ++i) found.name = i == 5 ? field : "";
            }
        } else if (inside && line.rfind("VmFlags:", 0) == 0) {
            found.flags = line;
        }
    }
    return found;
}

// Transparent large pages are on for memory that asks for them (or for all memory).
inline bool largePagesOnRequest() {
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(mode, text);
    return text.find("[madvise]") != std::string::npos || text.find("[always]") != std::string::npos;
}
