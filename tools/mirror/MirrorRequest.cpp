#include "tools/mirror/MirrorRequest.h"

#include <algorithm>
#include <cctype>

namespace MirrorRequest {

namespace {

bool allDigits(const std::string& s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::optional<RequestLine> parseRequestLine(const std::string& head)
{
    const size_t end = head.find("\r\n");
    const std::string line = head.substr(0, end);
    const size_t a = line.find(' ');
    if (a == std::string::npos || a == 0)
        return std::nullopt;
    const size_t b = line.find(' ', a + 1);
    if (b == std::string::npos || b == a + 1 || line.compare(b + 1, 5, "HTTP/") != 0)
        return std::nullopt;
    RequestLine out{line.substr(0, a), line.substr(a + 1, b - a - 1)};
    if (out.path[0] != '/')
        return std::nullopt;
    return out;
}

std::optional<ArchiveRequest> parseArchivePath(const std::string& path)
{
    static const std::string prefix = "/downloads/iphone/";
    static const std::string suffix = ".tar.gz";
    if (path.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const std::string rest = path.substr(prefix.size());
    const size_t s1 = rest.find('/');
    const size_t s2 = s1 == std::string::npos ? s1 : rest.find('/', s1 + 1);
    if (s2 == std::string::npos)
        return std::nullopt;
    const auto kind = RecitationArchiver::kindNamed(rest.substr(0, s1));
    const std::string folder = rest.substr(s1 + 1, s2 - s1 - 1);
    const std::string file = rest.substr(s2 + 1);
    if (!kind || !allDigits(folder) || folder.size() != 1 || file.size() != 3 + suffix.size() ||
        file.compare(3, suffix.size(), suffix) != 0 || !allDigits(file.substr(0, 3)))
        return std::nullopt;
    ArchiveRequest out{*kind, folder[0] - '0', std::stoi(file.substr(0, 3))};
    const auto& folders = RecitationTiming::folders();
    if (out.surah < 1 || out.surah > 114 || std::find(folders.begin(), folders.end(), out.folder) == folders.end())
        return std::nullopt;
    return out;
}

}  // namespace MirrorRequest
