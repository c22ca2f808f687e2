// What the demo mirror reads of a request: the request line, and the archive a path names.
#pragma once

#include "tools/recitations/RecitationArchiver.h"

#include <optional>
#include <string>

struct RequestLine {
    std::string method;
    std::string path;
};

struct ArchiveRequest {
    RecitationArchiver::Kind kind = RecitationArchiver::Kind::Continuous;
    int folder = 0;
    int surah = 0;
};

namespace MirrorRequest {

// The first line of a request head ("GET /path HTTP/1.1"); none when malformed.
std::optional<RequestLine> parseRequestLine(const std::string& head);
// "/downloads/iphone/<kind>/<folder>/<CCC>.tar.gz" for a kind, a folder of the recitations and
// a chapter 001-114; none for any other path.
std::optional<ArchiveRequest> parseArchivePath(const std::string& path);

}  // namespace MirrorRequest
