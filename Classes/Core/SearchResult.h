#pragma once
// One search hit, or one chapter-section header of a result list (also used by the
// prostration and supplication lists).

#include <memory>
#include <string>
#include <vector>

class SearchResult {
public:
    using List = std::vector<std::shared_ptr<SearchResult>>;

    int surah() const { return surah_; }
    void setSurah(int v) { surah_ = v; }
    int verse() const { return verse_; }
    void setVerse(int v) { verse_ = v; }
    int translator() const { return translator_; }
    void setTranslator(int v) { translator_ = v; }
    // Created empty on first read; a reset (null) list reads as a new empty one.
    List& AllResults() {
        if (!allResults_) allResults_ = std::make_shared<List>();
        return *allResults_;
    }
    void setAllResults(std::shared_ptr<List> v) { allResults_ = std::move(v); }
    const std::string& VerseText() const { return verseText_; }
    void setVerseText(std::string v) { verseText_ = std::move(v); }
    int SectionResultCount() const { return sectionResultCount_; }
    void setSectionResultCount(int v) { sectionResultCount_ = v; }
    bool IsSurahSection() const { return isSurahSection_; }
    void setIsSurahSection(bool v) { isSurahSection_ = v; }
    bool IsSectionCollapsed() const { return isSectionCollapsed_; }
    void setIsSectionCollapsed(bool v) { isSectionCollapsed_ = v; }
    bool IsLastInSection() const { return isLastInSection_; }
    void setIsLastInSection(bool v) { isLastInSection_ = v; }
    bool IsCompuslorySajda() const { return isCompuslorySajda_; }
    void setIsCompuslorySajda(bool v) { isCompuslorySajda_ = v; }
    int resultType() const { return resultType_; }
    void setResultType(int v) { resultType_ = v; }

private:
    int surah_ = 0;
    int verse_ = 0;
    int translator_ = 0;
    std::shared_ptr<List> allResults_;
    std::string verseText_;
    int sectionResultCount_ = 0;
    bool isSurahSection_ = false;
    bool isSectionCollapsed_ = false;
    bool isLastInSection_ = false;
    bool isCompuslorySajda_ = false;
    int resultType_ = 0;
};

// Chapter ascending, then verse: -1, 0 or 1. The context is ignored.
int compareSearchResults(const SearchResult& a, const SearchResult& b, void* context = nullptr);
