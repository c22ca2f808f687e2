// The search itself, on a worker thread: it reads only what it is given and hands back a
// complete outcome, so the screen's own state is touched on the main thread alone.
#include "Classes/Search/SearchViewController.h"

#include <cmath>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/NSString+More.h"
#include "platform/foundation/StringUtils.h"
#include "platform/foundation/Thread.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"

namespace {

// The notes are no searchable text; like no translation, they give no second search.
constexpr int kNotesTranslation = 1000;

bool hasWhiteSpace(const std::string& text) {
    for (char32_t c : str::toUtf32(text))
        if (str::isWhitespaceOrNewline(c)) return true;
    return false;
}

// SQLite's own words for a statement past its limits, which a long query reaches.
bool isQueryTooLong(const DataStoreConnection::Failure& failure) {
    if ((failure.code & 0xFF) == SQLITE_TOOBIG) return true;
    for (const char* words : {"too large", "too many", "too complex", "too big", "stack overflow"})
        if (failure.message.find(words) != std::string::npos) return true;
    return false;
}

std::string searchFailureText(const DataStoreConnection::Failure& failure) {
    const int code = failure.code & 0xFF;
    if (isQueryTooLong(failure)) return "The search text is too long; use fewer words.";
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB || failure.message.find("no such") != std::string::npos ||
        failure.message.find("malformed") != std::string::npos)
        return "Search failed: the index is damaged";
    return "Search failed: " + failure.message;
}

}  // namespace

SearchViewController::SearchOutcome SearchViewController::setupResultsInBG(const SearchRequest& request,
                                                                          const std::atomic<bool>& cancel) {
    SearchOutcome out;
    const std::string& query = request.query;
    DataStoreConnection::clearLastFailure();
    SearchResult::List hits =
        ChapterInfo::getSearchResults(request.contentDb, 0, NSString::cleanArabicAccents(query), &out.limitReached);
    if (hits.empty() && request.translation != 0 && request.translation != kNotesTranslation) {
        hits = ChapterInfo::getSearchResults(request.contentDb, request.translation, query, &out.limitReached);
        out.foundInTrans = request.translation;
    }
    // A query that could not run is no "nothing found".
    if (auto failure = DataStoreConnection::lastFailure(); failure && hits.empty()) out.failure = searchFailureText(*failure);

    // Snippet parameters: one line of the row's text width.
    const UIFontPtr font = UIFont::fontWithName("Helvetica", 13);
    const double maxWidth = std::floor(request.viewWidth - 78);
    const int ellipsisWidth = static_cast<int>(std::floor(sizeWithFont("\u2026", *font).width));
    const bool searchWordEnd = hasWhiteSpace(query) || !str::hasSuffix(query, "*");
    const std::string firstToken = NSString::getFirstSearchToken(query);

    std::shared_ptr<SearchResult> section;
    auto closeSection = [&section] {
        if (!section) return;
        auto& rows = section->AllResults();
        section->setSectionResultCount(static_cast<int>(rows.size()));
        if (!rows.empty()) rows.back()->setIsLastInSection(true);
    };
    for (const auto& hit : hits) {
        if (cancel.load() || workersShouldStop()) {
            out.cancelled = true;
            break;
        }
        if (!section || hit->surah() != section->surah()) {
            closeSection();
            section = std::make_shared<SearchResult>();
            section->setSurah(hit->surah());
            section->setIsSurahSection(true);
            section->setIsSectionCollapsed(false);
            out.sections.push_back(section);
            ++out.totalSurahs;
        }
        ++out.totalVerses;
        if (hit->translator() == 0) {
            hit->setVerseText(ChapterInfo::getArabicVerseFor(request.contentDb, hit->surah(), hit->verse()));
        } else {
            const std::string text =
                ChapterInfo::getTranslationFor(request.contentDb, hit->translator(), hit->surah(), hit->verse());
            hit->setVerseText(NSString::getPartialStringForSearchKeyword(
                text, query, *font, maxWidth, !ChapterInfo::isTranslationRTL(hit->translator()), searchWordEnd,
                firstToken, ellipsisWidth));
        }
        section->AllResults().push_back(hit);
    }
    closeSection();
    if (out.cancelled) {
        out.sections.clear();
        out.totalSurahs = out.totalVerses = 0;
    } else {
        out.query = query;
    }
    return out;
}
