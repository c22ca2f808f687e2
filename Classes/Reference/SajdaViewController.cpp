#include "Classes/Reference/SajdaViewController.h"

#include <algorithm>
#include <cstdlib>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kRowHeight = 44;
constexpr double kFooterHeight = 40;
constexpr const char* kCellIdentifier = "VerseCell";

}  // namespace

const std::vector<std::string>& SajdaViewController::sajdaVerses() {
    static const std::vector<std::string> verses = {"7:206", "13:15", "16:50", "17:109", "19:58",
                                                    "22:18", "22:77", "25:60", "27:26", "32:15",
                                                    "38:24", "41:38", "53:62", "84:21", "96:19"};
    return verses;
}

const std::vector<int>& SajdaViewController::sajdaObligatory() {
    static const std::vector<int> flags = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 1};
    return flags;
}

SajdaViewController::SajdaViewController(const std::string& nibName) : ReferenceListPage(nibName) {
    registerInterface();
}

SajdaViewController::~SajdaViewController() {
    for (const auto& header : arrSectionViews) header->setViewController(nullptr);
}

void SajdaViewController::registerInterface() {
    if (UIViewController::hasInterface("SupplicationDetailController")) return;
    UIViewController::registerInterface("SupplicationDetailController", [](UIViewController& owner) -> std::shared_ptr<UIView> {
        auto* page = dynamic_cast<SajdaViewController*>(&owner);
        if (!page) return nullptr;
        Frame frame = buildFrame(*page);
        page->tblTable = frame.table;
        page->viewBottomFooter = std::make_shared<UIView>(CGRectMake(0, 0, frame.width, kFooterHeight));
        page->viewBottomFooter->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        page->lblBottomLegend = std::make_shared<UILabel>(CGRectMake(10, 8, frame.width - 20, 24));
        page->lblBottomLegend->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        page->lblBottomLegend->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
        page->lblBottomLegend->setTextColor(UIColor::colorWithRed(22 / 255.0, 129 / 255.0, 1 / 255.0, 1));
        page->lblBottomLegend->setBackgroundColor(UIColor::clearColor());
        page->lblBottomLegend->setTextAlignment(UITextAlignmentCenter);
        page->viewBottomFooter->addSubview(page->lblBottomLegend);
        return frame.root;
    });
}

void SajdaViewController::viewDidLoad() {
    if (lblTopLabel) lblTopLabel->setText(strHeader_);
    setTitle(strHeader_);
    setBackTitle(referenceText("Back"));
    attachTable(tblTable, nullptr);
    loadList();
    rethemeUI();
}

void SajdaViewController::loadList() {
    if (tblTable) tblTable->setTableFooterView(viewBottomFooter);
    arrCompuls = sajdaObligatory();
    createSectionForArray(sajdaVerses());
    if (tblTable) tblTable->reloadData();
    if (lblBottomLegend) lblBottomLegend->setText(referenceText("The ones in green are obligatory"));
}

void SajdaViewController::viewDidAppear(bool) {
    if (!tblTable) return;
    if (auto selected = tblTable->indexPathForSelectedRow()) tblTable->deselectRowAtIndexPath(*selected, true);
}

void SajdaViewController::createSectionForArray(const std::vector<std::string>& references) {
    for (const auto& header : arrSectionViews) header->setViewController(nullptr);
    arrSectionViews.clear();
    arrSectionedResults.clear();
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    sqlite3* content = app ? app->dbConnectionStatic() : nullptr;

    std::shared_ptr<SearchResult> section;
    auto closeSection = [&section] {
        if (!section) return;
        section->setSectionResultCount(static_cast<int>(section->AllResults().size()));
        if (!section->AllResults().empty()) section->AllResults().back()->setIsLastInSection(true);
    };
    for (size_t i = 0; i < references.size(); ++i) {
        const std::string& reference = references[i];
        const size_t colon = reference.find(':');
        const int surah = std::atoi(reference.substr(0, colon).c_str());
        const int verse = colon == std::string::npos ? 0 : std::atoi(reference.substr(colon + 1).c_str());
        auto row = std::make_shared<SearchResult>();
        row->setSurah(surah);
        row->setVerse(verse);
        row->setIsCompuslorySajda(i < arrCompuls.size() && arrCompuls[i] == 1);
        if (!section || section->surah() != surah) {
            closeSection();
            section = std::make_shared<SearchResult>();
            section->setSurah(surah);
            section->setIsSurahSection(true);
            arrSectionedResults.push_back(section);
        }
        row->setVerseText(content ? ChapterInfo::getArabicVerseFor(content, surah, verse) : std::string());
        section->AllResults().push_back(row);
    }
    closeSection();

    const double width = tblTable ? tblTable->frame().size.width : 320;
    for (const auto& record : arrSectionedResults) {
        auto header = std::make_shared<SearchCellView>(CGRectMake(0, 0, width, kRowHeight));
        header->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin);
        header->setDuaMode();
        header->setViewController(this);
        header->setThisSearchResult(record);
        arrSectionViews.push_back(header);
    }
}

std::shared_ptr<SearchResult> SajdaViewController::resultAt(const NSIndexPath& path) const {
    if (path.section < 0 || path.section >= static_cast<int>(arrSectionedResults.size())) return nullptr;
    auto& rows = arrSectionedResults[path.section]->AllResults();
    if (path.row < 0 || path.row >= static_cast<int>(rows.size())) return nullptr;
    return rows[path.row];
}

int SajdaViewController::numberOfSectionsInTableView(UITableView*) {
    return static_cast<int>(arrSectionedResults.size());
}

int SajdaViewController::numberOfRowsInSection(UITableView*, int section) {
    if (section < 0 || section >= static_cast<int>(arrSectionedResults.size())) return 0;
    const auto& record = arrSectionedResults[section];
    return record->IsSectionCollapsed() ? 0 : static_cast<int>(record->AllResults().size());
}

std::shared_ptr<UIView> SajdaViewController::viewForHeaderInSection(UITableView*, int section) {
    if (section < 0 || section >= static_cast<int>(arrSectionViews.size())) return nullptr;
    return arrSectionViews[section];
}

double SajdaViewController::heightForHeaderInSection(UITableView*, int section) {
    return section >= 0 && section < static_cast<int>(arrSectionViews.size()) ? kRowHeight : 0;
}

double SajdaViewController::heightForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) {
    if (indexPath.section < 0 || indexPath.section >= static_cast<int>(arrSectionedResults.size())) return 0;
    return arrSectionedResults[indexPath.section]->IsSectionCollapsed() ? 0 : kRowHeight;
}

UITableViewCellPtr SajdaViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    auto cell = std::dynamic_pointer_cast<SearchViewCell>(tableView->dequeueReusableCellWithIdentifier(kCellIdentifier));
    if (!cell) {
        cell = std::make_shared<SearchViewCell>(UITableViewCellStyleDefault, kCellIdentifier);
        cell->cellView()->setDuaMode();
        cell->cellView()->setViewController(this);
    }
    const bool collapsed = indexPath.section >= 0 && indexPath.section < static_cast<int>(arrSectionedResults.size()) &&
                           arrSectionedResults[indexPath.section]->IsSectionCollapsed();
    cell->cellView()->setThisSearchResult(collapsed ? nullptr : resultAt(indexPath));
    return cell;
}

void SajdaViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    auto record = resultAt(indexPath);
    if (!record || record->IsSurahSection()) return;
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance())
        app->showSurahView(record->surah(), record->verse(), false, false);
}

void SajdaViewController::sectionWithRow(const std::shared_ptr<SearchResult>& section, bool willCollapse) {
    auto it = std::find(arrSectionedResults.begin(), arrSectionedResults.end(), section);
    if (it == arrSectionedResults.end() || !tblTable) return;
    const int index = static_cast<int>(it - arrSectionedResults.begin());
    std::vector<NSIndexPath> paths;
    const int n = static_cast<int>(section->AllResults().size());
    for (int row = 0; row < n; ++row) paths.push_back(NSIndexPath{index, row});
    if (willCollapse) tblTable->deleteRowsAtIndexPaths(paths, UITableViewRowAnimationFade);
    else tblTable->insertRowsAtIndexPaths(paths, UITableViewRowAnimationFade);
}
