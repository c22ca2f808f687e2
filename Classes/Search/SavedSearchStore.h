#pragma once
// The search history's writes: recording a shown search, marking and unmarking a saved
// search's hits in the reading view, and seeding the examples on the very first use. Each
// runs on whichever thread calls; the data store serialises the statements.

#include <string>

#include "Classes/Core/SavedSearch.h"

struct sqlite3;

class SavedSearchStore {
public:
    SavedSearchStore() = delete;

    static constexpr int kMaxSavedSearches = 200;

    // Records a search that found something: an entry with the same text (any letter case)
    // and translation only moves to the top; otherwise a new entry is added, first removing
    // the least recently run one when the history is full. False when a write failed.
    [[nodiscard]] static bool recordSearch(sqlite3* userDb, const std::string& query, int translation, int hitCount);

    // Marks (one "searchmatches" row per hit, the search run again on the content database) or
    // unmarks (every row of the saved search) and stores the flag, in one transaction. On
    // failure nothing is changed, the record keeps its old flag and false is returned.
    [[nodiscard]] static bool reflectSearchedVerses(sqlite3* userDb, sqlite3* contentDb, SavedSearch& search,
                                                    bool reflect);

    // The history, most recently run first. On the first use ever ("FirstTimeInstall" not
    // set) the five example searches are stored first and appended; the marked example gets
    // its marks.
    static SavedSearch::List loadHistory(sqlite3* userDb, sqlite3* contentDb);

    // The query that finds a saved search's hits: Arabic searches without vowel marks.
    static std::string queryFor(const SavedSearch& search);
};
