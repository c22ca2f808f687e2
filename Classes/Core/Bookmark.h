#pragma once
// One bookmarked verse, or one chapter-section header of the bookmarks list.

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Bookmark {
public:
    using List = std::vector<std::shared_ptr<Bookmark>>;

    int surah() const { return surah_; }
    void setSurah(int v) { surah_ = v; }
    int verse() const { return verse_; }
    void setVerse(int v) { verse_ = v; }
    bool isAudio() const { return isAudio_; }
    void setIsAudio(bool v) { isAudio_ = v; }
    bool hasNote() const { return hasNote_; }
    void setHasNote(bool v) { hasNote_ = v; }
    int BookmarkGroup() const { return bookmarkGroup_; }
    void setBookmarkGroup(int v) { bookmarkGroup_ = v; }
    int SectionBookmarkCount() const { return sectionBookmarkCount_; }
    void setSectionBookmarkCount(int v) { sectionBookmarkCount_ = v; }
    bool HasExtraDetails() const { return hasExtraDetails_; }
    void setHasExtraDetails(bool v) { hasExtraDetails_ = v; }
    const std::optional<std::string>& ArabicVerse() const { return arabicVerse_; }
    void setArabicVerse(std::optional<std::string> v) { arabicVerse_ = std::move(v); }
    // None when the current translation is 0 or the notes entry.
    const std::optional<std::string>& Translation() const { return translation_; }
    void setTranslation(std::optional<std::string> v) { translation_ = std::move(v); }
    const std::optional<std::string>& BookmarkedNote() const { return bookmarkedNote_; }
    void setBookmarkedNote(std::optional<std::string> v) { bookmarkedNote_ = std::move(v); }
    // Created empty on first read; a reset (null) list reads as a new empty one.
    List& AllBookmarks() {
        if (!allBookmarks_) allBookmarks_ = std::make_shared<List>();
        return *allBookmarks_;
    }
    void setAllBookmarks(std::shared_ptr<List> v) { allBookmarks_ = std::move(v); }
    bool IsLastInSection() const { return isLastInSection_; }
    void setIsLastInSection(bool v) { isLastInSection_ = v; }
    bool IsSelected() const { return isSelected_; }
    void setIsSelected(bool v) { isSelected_ = v; }
    bool IsSurahSection() const { return isSurahSection_; }
    void setIsSurahSection(bool v) { isSurahSection_ = v; }
    bool IsSectionCollapsed() const { return isSectionCollapsed_; }
    void setIsSectionCollapsed(bool v) { isSectionCollapsed_ = v; }

private:
    int surah_ = 0;
    int verse_ = 0;
    bool isAudio_ = false;
    bool hasNote_ = false;
    int bookmarkGroup_ = 0;
    int sectionBookmarkCount_ = 0;
    bool hasExtraDetails_ = false;
    std::optional<std::string> arabicVerse_;
    std::optional<std::string> translation_;
    std::optional<std::string> bookmarkedNote_;
    std::shared_ptr<List> allBookmarks_;
    bool isLastInSection_ = false;
    bool isSelected_ = false;
    bool isSurahSection_ = false;
    bool isSectionCollapsed_ = false;
};
