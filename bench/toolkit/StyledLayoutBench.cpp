// Laying out the 6,236 verses of the English translation (Saheeh International) as styled text
// at phone width (240 points, Helvetica 15, the transliteration row's label), each with its
// first word in bold so that the whole text goes through the word-by-word layout, against pango
// laying out the same plain texts in the same font and width. Both are warmed up first; each
// figure is the median of five runs, in processor time. Prints "figure styled_layout_vs_pango" (pango time over
// styled time: 1 is as fast as pango).

#include <pango/pangocairo.h>
#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/foundation/Paths.h"
#include "platform/text/TextSystem.h"
#include "platform/text/UIFont.h"
#include "toolkit/styledtext/TTStyledText.h"

namespace {

// Processor time of this thread: the machine may be shared, and both sides run here.
double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

std::vector<std::string> loadTexts() {
    std::vector<std::string> texts;
    sqlite3* db = nullptr;
    const std::string path = Paths::bundle() + "/lumeno.db";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT translation FROM trans3 ORDER BY surah, verse", -1, &stmt, nullptr) ==
            SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW)
                texts.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return texts;
}

}  // namespace

int main() {
    const std::vector<std::string> texts = loadTexts();
    if (texts.size() != 6236) {
        std::fprintf(stderr, "expected 6236 texts, found %zu\n", texts.size());
        return 1;
    }
    std::vector<std::string> markup;
    for (const std::string& text : texts) {
        const size_t space = text.find(' ');
        markup.push_back(space == std::string::npos
                             ? "<b>" + escaped(text) + "</b>"
                             : "<b>" + escaped(text.substr(0, space)) + "</b>" + escaped(text.substr(space)));
    }
    constexpr double kWidth = 240;
    const UIFontPtr font = UIFont::fontWithName("Helvetica", 15);

    double checksum = 0;
    auto styledRun = [&] {
        const double t0 = nowMs();
        for (const std::string& m : markup) {
            TTStyledTextPtr text = TTStyledText::textFromXHTML(m, false, false);
            text->setFont(font);
            text->setWidth(kWidth);
            checksum += text->height();
        }
        return nowMs() - t0;
    };
    TextSystem& system = TextSystem::shared();
    auto pangoRun = [&] {
        std::lock_guard lock(system.lock());
        const double t0 = nowMs();
        PangoLayout* layout = pango_layout_new(system.context());
        pango_layout_set_font_description(layout, font->description());
        pango_layout_set_width(layout, static_cast<int>(kWidth * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        for (const std::string& text : texts) {
            pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
            PangoRectangle logical;
            pango_layout_get_extents(layout, nullptr, &logical);
            checksum += static_cast<double>(logical.height) / PANGO_SCALE;
        }
        g_object_unref(layout);
        return nowMs() - t0;
    };
    styledRun();
    pangoRun();
    std::vector<double> styled, pango;
    for (int r = 0; r < 5; ++r) {
        styled.push_back(styledRun());
        pango.push_back(pangoRun());
    }
    const double s = median(styled), p = median(pango);
    std::printf("styled text %.2f ms, pango %.2f ms for %zu texts (checksum %.0f)\n", s, p, texts.size(), checksum);
    std::printf("figure styled_layout_ms %.3f ms\n", s);
    std::printf("figure styled_layout_vs_pango %.2f ratio\n", p / s);
    return 0;
}
