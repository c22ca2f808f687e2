// The index's list: both modes, the rows, the juz sections and the juz bar.
#include "Classes/Index/IndexViewController.h"

#include <algorithm>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "Classes/Index/IndexTableViewCell.h"
#include "Classes/Index/SectionCellView.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"

namespace {
NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }
constexpr double kHeaderHeight = 23;
}  // namespace

std::string IndexViewController::juzNumber(int juz) {
    return LumenoSDKAppDelegate::IsLanguageArabic() ? ChapterInfo::getArabicNumbersFrom(std::to_string(juz))
                                                    : std::to_string(juz);
}

std::string IndexViewController::juzCaption(const std::string& juz) {
    return stringWithFormat("%@ %@", Language::get("Juz", "Juz"), juz);
}

const char* IndexViewController::offsetKey() const {
    return isShowingSectionedView_ ? "SectionListYOffset" : "SurahListYOffset";
}

void IndexViewController::storeListOffset() {
    if (!surahListTable) return;
    defaults().setFloat(static_cast<float>(surahListTable->contentOffset().y), offsetKey());
    defaults().synchronize();
}

void IndexViewController::btnSectionsPressed() {
    currentlySelectedRow_ = -1;
    currentlySelectedSection_ = -1;
    storeListOffset();
    isShowingSectionedView_ = !isShowingSectionedView_;
    tableTypeChanged();
}

void IndexViewController::buildSectionedMeta() {
    arrSectionedMeta_.clear();
    arrSectionedMeta_.reserve(240);
    auto* a = app();
    sqlite3* db = a ? a->dbConnectionStatic() : nullptr;
    const int t = SectionCellView::currentTextTranslation();
    for (int q = 1; q <= 240; ++q) {
        int c = 1, v = 1;
        ChapterInfo::setSurahVerseForHizb(&c, &v, q);
        auto meta = std::make_shared<IndexRowMeta>();
        meta->Surah = c;
        meta->Verse = v;
        if (db) meta->Title = t != 0 ? ChapterInfo::getTranslationFor(db, t, c, v) : ChapterInfo::getArabicVerseFor(db, c, v);
        meta->HasAudioInstalled = isSurahAudioInstalled(c);
        arrSectionedMeta_.push_back(std::move(meta));
    }
}

void IndexViewController::buildSectionViews() {
    arrSectionViews_.clear();
    arrSectionViews_.reserve(30);
    const double w = surahListTable ? surahListTable->bounds().size.width : 320;
    const unsigned mask = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleRightMargin;
    auto partition = UIImage::imageNamed("index-sections-partition.png");
    if (partition) partition = partition->stretchableImageWithLeftCapWidth(115, 0);
    for (int j = 1; j <= 30; ++j) {
        auto header = std::make_shared<UIView>(CGRectMake(0, 0, w, kHeaderHeight));
        header->setAutoresizesSubviews(true);
        header->setAutoresizingMask(mask);
        header->setBackgroundColor(UIColor::clearColor());
        header->setOpaque(false);
        auto image = std::make_shared<UIImageView>(CGRectMake(44, 0, w - 44, kHeaderHeight));
        image->setImage(partition);
        image->setAutoresizingMask(mask);
        header->addSubview(image);
        auto label = std::make_shared<UILabel>(CGRectMake(58, 0, image->bounds().size.width - 58, kHeaderHeight));
        label->setBackgroundColor(UIColor::clearColor());
        label->setOpaque(false);
        label->setFont(UIFont::fontWithName("Helvetica", 13));
        label->setTextColor(UIColor::colorWithRed(88 / 255.0, 66 / 255.0, 29 / 255.0, 1));
        label->setText(juzCaption(juzNumber(j)));
        header->addSubview(label);
        arrSectionViews_.push_back(std::move(header));
    }
}

void IndexViewController::tableTypeChanged() {
    const std::string sections = Language::get("Sections", "Sections");
    const std::string suras = Language::get("Suras", "Suras");
    if (lblTopBarLabel) lblTopBarLabel->setText(isShowingSectionedView_ ? sections : suras);
    if (btnSections) {
        btnSections->setTitle(isShowingSectionedView_ ? suras : sections, UIControlStateNormal);
        btnSections->setTitle(isShowingSectionedView_ ? suras : sections, UIControlStateHighlighted);
    }
    if (isShowingSectionedView_) {
        if (arrSectionedMeta_.empty()) buildSectionedMeta();
        if (arrSectionViews_.empty()) buildSectionViews();
    }
    const double offset = defaults().floatForKey(offsetKey());
    if (surahListTable) {
        surahListTable->reloadData();
        surahListTable->layoutIfNeeded();
        // A stored offset beyond the list (a smaller screen since) stops at its end.
        const double y = std::max(surahListTable->minimumContentOffset().y,
                                  std::min(offset, surahListTable->maximumContentOffset().y));
        surahListTable->setContentOffset(CGPointMake(0, y), false);
    }
    if (isShowingSectionedView_ && lblPartitionTitle) {
        std::optional<NSIndexPath> path;
        if (surahListTable) {
            path = surahListTable->indexPathForRowAtPoint(CGPointMake(0, offset));
            if (!path) path = surahListTable->indexPathForRowAtPoint(CGPointMake(0, offset + kHeaderHeight));
        }
        const int q = path ? 8 * path->section + path->row + 1 : 1;
        int c = 1, v = 1;
        ChapterInfo::setSurahVerseForHizb(&c, &v, q);
        lblPartitionTitle->setText(juzCaption(juzNumber(ChapterInfo::nearestjuzFrom(c, v))));
    }
    defaults().setBool(isShowingSectionedView_, "IsShowingSections");
    defaults().synchronize();
}

void IndexViewController::reloadIndexView() {
    if (surahListTable) surahListTable->reloadData();
}

void IndexViewController::reloadSurahCell(int row) {
    if (!surahListTable) return;
    if (auto* cell = dynamic_cast<IndexTableViewCell*>(surahListTable->cellForRowAtIndexPath(NSIndexPath{0, row})))
        cell->setRow(cell->row(), true);
}

void IndexViewController::updateVisibleSoundStatus() {
    if (!surahListTable) return;
    for (auto* cell : surahListTable->visibleCells())
        if (auto* row = dynamic_cast<IndexTableViewCell*>(cell)) row->updateSoundStatus();
}

bool IndexViewController::rowDidMakeSelection(int row, int section, bool open) {
    currentlySelectedSection_ = section;
    if (isShowingSectionedView_) row += 8 * section;
    currentlySelectedRow_ = row;
    int c = row + 1, v = -1;
    if (isShowingSectionedView_) ChapterInfo::setSurahVerseForHizb(&c, &v, row + 1);
    if (open) showSurahView(c, v, false, true);
    return true;
}

void IndexViewController::selectSectionForSurah(int surah, int verse) {
    if (!isShowingSectionedView_) return;
    const int juz = ChapterInfo::nearestjuzFrom(surah, verse);
    const int first = ChapterInfo::getHizbForJuz(juz);
    for (int q = first; q <= first + 8; ++q) {
        int target = q - 1;
        if (q <= 240) {
            int c = 1, v = 1;
            ChapterInfo::setSurahVerseForHizb(&c, &v, q);
            if (c < surah || (c == surah && v < verse)) continue;
            if (c == surah && v == verse) target = q;
        }
        // Past the last quarter lies the end of the text, after every position.
        rowDidMakeSelection(target - first, juz - 1, false);
        return;
    }
}

// ---- Table data source and delegate ----

int IndexViewController::numberOfSectionsInTableView(UITableView*) { return isShowingSectionedView_ ? 30 : 1; }

int IndexViewController::numberOfRowsInSection(UITableView* tableView, int) {
    if (tableView != surahListTable.get()) return 1;
    return isShowingSectionedView_ ? 8 : 114;
}

double IndexViewController::heightForHeaderInSection(UITableView*, int) {
    return isShowingSectionedView_ ? kHeaderHeight : 0.0;
}

std::shared_ptr<UIView> IndexViewController::viewForHeaderInSection(UITableView*, int section) {
    if (!isShowingSectionedView_) return nullptr;
    if (arrSectionViews_.empty()) buildSectionViews();
    if (section < 0 || section >= static_cast<int>(arrSectionViews_.size())) return nullptr;
    return arrSectionViews_[static_cast<size_t>(section)];
}

UITableViewCellPtr IndexViewController::cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    const std::string identifier = isShowingSectionedView_ ? "SectionCell" : "SurahCell";
    const int r = isShowingSectionedView_ ? 8 * indexPath.section + indexPath.row : indexPath.row;
    auto cell = std::dynamic_pointer_cast<IndexTableViewCell>(tableView->dequeueReusableCellWithIdentifier(identifier));
    if (!cell) cell = std::make_shared<IndexTableViewCell>(UITableViewCellStyleDefault, identifier, r);
    cell->setDelegate(this);
    cell->setRow(r, false);
    if (isShowingSectionedView_ && r < static_cast<int>(arrSectionedMeta_.size()))
        cell->setIndexMeta(arrSectionedMeta_[static_cast<size_t>(r)]);
    return cell;
}

void IndexViewController::didSelectRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) {
    tableView->deselectRowAtIndexPath(indexPath, true);
    rowDidMakeSelection(indexPath.row, indexPath.section, true);
}

// ---- Juz bar ----

void IndexViewController::scrollableBarSelectedIndex(int index) {
    if (!viewJuzzScroller || index < 0 || index >= static_cast<int>(viewJuzzScroller->ThisTitles().size())) return;
    const std::string caption = juzCaption(viewJuzzScroller->ThisTitles()[static_cast<size_t>(index)]);
    if (lblPartitionTitle) lblPartitionTitle->setText(caption);
    if (lblTopBarLabel) lblTopBarLabel->setText(caption);
    if (viewTablePartition) viewTablePartition->setHidden(false);
    if (!surahListTable) return;
    if (isShowingSectionedView_) {
        surahListTable->scrollToRowAtIndexPath(NSIndexPath{index, 0}, UITableViewScrollPositionTop, false);
    } else {
        int c = 1, v = 1;
        ChapterInfo::setSurahVerseForJuz(&c, &v, index + 1);
        surahListTable->scrollToRowAtIndexPath(NSIndexPath{0, c - 1}, UITableViewScrollPositionTop, false);
    }
}

void IndexViewController::scrollableBarFingerUp() {
    if (viewTablePartition) viewTablePartition->setHidden(true);
    storeListOffset();
    tableTypeChanged();
}
