// The demo mirror's reading of a request head: never crashes, and a path it accepts is exactly
// the archive path it names.
#include "tools/mirror/MirrorRequest.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string head(reinterpret_cast<const char*>(data), size);
    const auto line = MirrorRequest::parseRequestLine(head);
    for (const std::string& path : {head, line ? line->path : std::string()}) {
        const auto request = MirrorRequest::parseArchivePath(path);
        if (!request)
            continue;
        char expected[96];
        std::snprintf(expected, sizeof expected, "/downloads/iphone/%s/%d/%03d.tar.gz",
                      RecitationArchiver::kindName(request->kind), request->folder, request->surah);
        if (path != expected)
            std::abort();
    }
    return 0;
}
