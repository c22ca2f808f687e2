#include "Classes/Core/SearchResult.h"

int compareSearchResults(const SearchResult& a, const SearchResult& b, void*) {
    if (a.surah() != b.surah()) return a.surah() < b.surah() ? -1 : 1;
    if (a.verse() != b.verse()) return a.verse() < b.verse() ? -1 : 1;
    return 0;
}
