#include "Classes/Search/HighlightTextStyleSheet.h"

#include <cstring>

namespace {

constexpr const char* kSpanOpen = "<span class=\"";
constexpr const char* kSpanClose = "</span>";

struct Entity {
    const char* name;
    const char* text;
};
constexpr Entity kEntities[] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}};

bool startsAt(const std::string& s, size_t at, const char* prefix) { return s.compare(at, std::strlen(prefix), prefix) == 0; }

void append(std::vector<SnippetRun>& runs, std::string text, const std::string& style) {
    if (text.empty()) return;
    if (!runs.empty() && runs.back().styleName == style) runs.back().text += text;
    else runs.push_back({std::move(text), style});
}

}  // namespace

std::optional<SnippetStyle> HighlightTextStyleSheet::styleWithSelector(const std::string& name) {
    if (name == "yellowBox") {
        SnippetStyle s;
        s.boxColor = UIColor::whiteColor();
        s.radius = 2;
        s.insetTop = 0;
        s.insetLeft = -1;
        s.insetBottom = -2;
        s.insetRight = -1;
        return s;
    }
    if (name == "whiteBox") {
        SnippetStyle s;
        s.textColor = UIColor::whiteColor();
        return s;
    }
    return std::nullopt;
}

std::vector<SnippetRun> HighlightTextStyleSheet::parse(const std::string& markup) {
    std::vector<SnippetRun> runs;
    std::string style;  // the open span's look, or empty
    std::string piece;
    size_t i = 0;
    while (i < markup.size()) {
        if (markup[i] == '&') {
            bool decoded = false;
            for (const Entity& e : kEntities)
                if (startsAt(markup, i, e.name)) {
                    piece += e.text;
                    i += std::strlen(e.name);
                    decoded = true;
                    break;
                }
            if (!decoded) piece += markup[i++];
            continue;
        }
        if (style.empty() && startsAt(markup, i, kSpanOpen)) {
            const size_t nameStart = i + std::strlen(kSpanOpen);
            const size_t nameEnd = markup.find("\">", nameStart);
            if (nameEnd != std::string::npos) {
                append(runs, std::move(piece), style);
                piece.clear();
                style = markup.substr(nameStart, nameEnd - nameStart);
                if (style.empty()) style = " ";  // a span without a class still ends at </span>
                i = nameEnd + 2;
                continue;
            }
        }
        if (!style.empty() && startsAt(markup, i, kSpanClose)) {
            append(runs, std::move(piece), style == " " ? std::string() : style);
            piece.clear();
            style.clear();
            i += std::strlen(kSpanClose);
            continue;
        }
        piece += markup[i++];
    }
    append(runs, std::move(piece), style == " " ? std::string() : style);
    return runs;
}

std::string HighlightTextStyleSheet::plainText(const std::vector<SnippetRun>& runs) {
    std::string out;
    for (const auto& run : runs) out += run.text;
    return out;
}
