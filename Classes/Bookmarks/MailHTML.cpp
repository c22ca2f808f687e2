#include "Classes/Bookmarks/MailHTML.h"

#include "Classes/Core/Language.h"
#include "platform/foundation/StringUtils.h"

namespace {
constexpr const char* kStorePage = "https://lumeno.app/store";
}

std::string mailHTMLText(const std::string& text) {
    const std::string escaped = str::xmlEscape(text);
    std::string out;
    out.reserve(escaped.size());
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\r') {
            if (i + 1 < escaped.size() && escaped[i + 1] == '\n') ++i;
            out += "<br>";
        } else if (escaped[i] == '\n') {
            out += "<br>";
        } else {
            out.push_back(escaped[i]);
        }
    }
    return out;
}

std::string mailStoreLink() {
    return std::string("<a href='") + kStorePage + "'>" + mailHTMLText(Language::get("via Lumeno", "via Lumeno")) + "</a>";
}
