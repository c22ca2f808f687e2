#include "Classes/Search/SavedSearchStore.h"

#include <memory>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/NSString+More.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/StringUtils.h"

namespace {

bool sameText(const std::string& a, const std::string& b) { return str::equalsCaseInsensitive(a, b); }

struct Example {
    const char* text;
    int hits;
    int translation;
    bool marked;
};

}  // namespace

std::string SavedSearchStore::queryFor(const SavedSearch& search) {
    return search.iTranslation() == 0 ? NSString::cleanArabicAccents(search.strSearchText()) : search.strSearchText();
}

bool SavedSearchStore::recordSearch(sqlite3* userDb, const std::string& query, int translation, int hitCount) {
    if (!userDb || query.empty()) return false;
    SavedSearch::List history = ChapterInfo::getSavedSearch(userDb);
    for (const auto& saved : history) {
        if (saved->iTranslation() == translation && sameText(saved->strSearchText(), query))
            return ChapterInfo::updateSavedSearch(userDb, *saved);
    }
    if (static_cast<int>(history.size()) >= kMaxSavedSearches &&
        !ChapterInfo::deleteSavedSearch(userDb, *history.back()))
        NSLog("[SavedSearchStore] Error: the oldest saved search could not be removed.");
    SavedSearch entry;
    entry.setStrSearchText(query);
    entry.setIHitCount(hitCount);
    entry.setITranslation(translation);
    entry.setIsReflectedInSurah(false);
    return ChapterInfo::addSavedSearch(userDb, entry) >= 0;
}

bool SavedSearchStore::reflectSearchedVerses(sqlite3* userDb, sqlite3* contentDb, SavedSearch& search, bool reflect) {
    const bool before = search.isReflectedInSurah();
    search.setIsReflectedInSurah(reflect);
    SearchResult::List hits;
    if (reflect) {
        int limitReached = 0;  // ignored: at most the first rows of each statement are marked
        hits = ChapterInfo::getSearchResults(contentDb, search.iTranslation(), queryFor(search), &limitReached);
    }
    if (!ChapterInfo::beginTrans(userDb)) {
        search.setIsReflectedInSurah(before);
        NSLog("[SavedSearchStore] Error: marking \"%@\" could not start its transaction.", search.strSearchText());
        return false;
    }
    // Unmarking never depends on the search: every mark of the saved search goes.
    bool ok = ChapterInfo::removeReflecttionOnSearchedVerses(userDb, search.iSavedID());
    if (reflect)
        for (const auto& hit : hits)
            if (ok && !hit->IsSurahSection())
                ok = ChapterInfo::reflectSearchedVerses(userDb, hit->surah(), hit->verse(), search.iSavedID());
    ok = ok && ChapterInfo::updateSavedSearch(userDb, search);
    if (ok && ChapterInfo::commitTrans(userDb)) return true;
    if (!ChapterInfo::rollbackTrans(userDb)) NSLog("[SavedSearchStore] Error: rollback failed.");
    search.setIsReflectedInSurah(before);
    NSLog("[SavedSearchStore] Error: the marks of \"%@\" were not changed.", search.strSearchText());
    return false;
}

SavedSearch::List SavedSearchStore::loadHistory(sqlite3* userDb, sqlite3* contentDb) {
    SavedSearch::List list = ChapterInfo::getSavedSearch(userDb);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    if (defaults.integerForKey("FirstTimeInstall") != 0) return list;
    defaults.setString("1", "FirstTimeInstall");
    defaults.synchronize();
    // "بسم الله"
    static const std::string kArabicExample = "\u0628\u0633\u0645 \u0627\u0644\u0644\u0647";
    const Example examples[] = {{kArabicExample.c_str(), 3, 0, true},
                                {"Allah AND Good", 169, 3, false},
                                {"heaven OR hell", 176, 3, false},
                                {"forgiv*", 196, 3, false},
                                {"\"This is\" OR Test", 233, 3, false}};
    for (const Example& example : examples) {
        auto saved = std::make_shared<SavedSearch>();
        saved->setStrSearchText(example.text);
        saved->setIHitCount(example.hits);
        saved->setITranslation(example.translation);
        // Stored unmarked, then marked for real, so its eye never shows on without marks.
        saved->setIsReflectedInSurah(false);
        const int id = ChapterInfo::addSavedSearch(userDb, *saved);
        if (id < 0) continue;
        saved->setISavedID(id);
        if (example.marked && !reflectSearchedVerses(userDb, contentDb, *saved, true))
            NSLog("[SavedSearchStore] Error: the example \"%@\" could not be marked.", example.text);
        list.push_back(saved);
    }
    return list;
}
