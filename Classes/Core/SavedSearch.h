#pragma once
// One entry of the search history (a row of table savedsearches).

#include "platform/foundation/NSDate.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class SavedSearch {
public:
    using List = std::vector<std::shared_ptr<SavedSearch>>;

    // Stored as a copy: later changes to the caller's string do not reach the record.
    const std::string& strSearchText() const { return strSearchText_; }
    void setStrSearchText(const std::string& v) { strSearchText_ = v; }
    int iHitCount() const { return iHitCount_; }
    void setIHitCount(int v) { iHitCount_ = v; }
    bool isReflectedInSurah() const { return isReflectedInSurah_; }
    void setIsReflectedInSurah(bool v) { isReflectedInSurah_ = v; }
    int iTranslation() const { return iTranslation_; }
    void setITranslation(int v) { iTranslation_ = v; }
    // None until set.
    const std::optional<NSDate>& DateSearched() const { return dateSearched_; }
    void setDateSearched(std::optional<NSDate> v) { dateSearched_ = v; }
    int iSavedID() const { return iSavedID_; }
    void setISavedID(int v) { iSavedID_ = v; }

private:
    std::string strSearchText_;
    int iHitCount_ = 0;
    bool isReflectedInSurah_ = false;
    int iTranslation_ = 0;
    std::optional<NSDate> dateSearched_;
    int iSavedID_ = 0;
};
