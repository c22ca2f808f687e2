#include "tools/render/VerseRenderer.h"

#include <sqlite3.h>

#include <cmath>
#include <vector>

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/CGContext.h"

namespace {

// The data store keeps its prepared statements; they go before the connection can close.
struct DbDeleter {
    void operator()(sqlite3* db) const {
        ChapterInfo::finalizeStatements();
        sqlite3_close(db);
    }
};

}  // namespace

bool parseVerseRef(const std::string& text, int& surah, int& verse) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    try {
        size_t used = 0;
        surah = std::stoi(text.substr(0, colon), &used);
        if (used != colon) return false;
        const std::string rest = text.substr(colon + 1);
        verse = std::stoi(rest, &used);
        if (used != rest.size()) return false;
    } catch (...) {
        return false;
    }
    return surah >= 1 && surah <= 114 && verse >= 1 && verse <= 286;
}

bool parseTajweedList(const std::string& text, TajweedSwitches& switches, std::string& error) {
    const bool stops = switches.coloredStopSigns;
    if (text == "all") {
        switches = TajweedSwitches::all();
    } else if (text == "none") {
        switches = TajweedSwitches::none();
    } else {
        switches = TajweedSwitches::none();
        for (const std::string& name : str::split(text, ",")) {
            if (name == "ghunna") switches.ghunna = true;
            else if (name == "ikhfa") switches.ikhfa = true;
            else if (name == "idgham") switches.idgham = true;
            else if (name == "iqlab") switches.iqlab = true;
            else if (name == "qalqala") switches.qalqala = true;
            else {
                error = "unknown Tajweed rule \"" + name + "\"";
                return false;
            }
        }
    }
    switches.coloredStopSigns = stops;
    return true;
}

UIImagePtr renderVerses(const RenderOptions& options, std::string& error) {
    if (options.resolution > 9) {
        error = "resolution must be 0-9";
        return nullptr;
    }
    if (options.width < 40 || options.width > 4000) {
        error = "width must be 40-4000 points";
        return nullptr;
    }
    if (options.toSurah != options.fromSurah || options.toVerse < options.fromVerse) {
        error = "the range must run forward within one chapter";
        return nullptr;
    }
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(options.database.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error = "cannot open content database " + options.database;
        sqlite3_close(raw);
        return nullptr;
    }
    std::unique_ptr<sqlite3, DbDeleter> db(raw);

    std::vector<std::vector<uint8_t>> verses;
    for (int v = options.fromVerse; v <= options.toVerse; ++v) {
        verses.push_back(ChapterInfo::getVerseData(db.get(), options.fromSurah, v));
        if (verses.back().empty()) {
            error = "verse " + std::to_string(options.fromSurah) + ":" + std::to_string(v) + " not found";
            return nullptr;
        }
    }

    const double scale = options.resolution >= 5 ? 2.0 : 1.0;
    UIGraphicsSetScreenScale(scale);
    ArabicFont font(options.resolution, options.switches, db.get());
    const int startX = options.width;
    const int forWidth = options.width - 8;
    std::vector<int> heights;
    int total = 0;
    for (size_t i = 0; i < verses.size(); ++i) {
        const bool last = options.lastVerse && i + 1 == verses.size();
        const int h = font.getHeightOfVerseImage(options.fromVerse + static_cast<int>(i), last, verses[i], 0,
                                                 static_cast<int>(verses[i].size()) - 1, forWidth, false);
        heights.push_back(h);
        total += h;
    }

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(options.width, std::max(total, 1)), true, scale);
    CGContext* context = UIGraphicsGetCurrentContext();
    context->setRGBFillColor(1, 1, 1, 1);
    context->fillRect(CGRectMake(0, 0, options.width, std::max(total, 1)));
    int y = 0;
    for (size_t i = 0; i < verses.size(); ++i) {
        const bool last = options.lastVerse && i + 1 == verses.size();
        context->saveGState();
        context->translateCTM(0, y);
        font.drawVerseImageFromBytes(*context, options.fromVerse + static_cast<int>(i), last, verses[i], 0,
                                     static_cast<int>(verses[i].size()) - 1, startX, forWidth);
        context->restoreGState();
        y += heights[i];
    }
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    if (!image) error = "drawing failed";
    return image;
}
