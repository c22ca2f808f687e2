#pragma once
// Answers a table view's questions from a collection of row objects and picks the cell class
// for each object. A data source is also a model: until it is given one it is its own model,
// always loaded.

#include <optional>
#include <string>
#include <vector>

#include "platform/net/NSError.h"
#include "platform/ui/hosting/UITableView.h"
#include "toolkit/controllers/TTModel.h"
#include "toolkit/tables/TTTableObject.h"
#include "toolkit/tables/TTTableViewCell.h"

class TTTableViewDataSource : public UITableViewDataSource, public TTModel {
public:
    TTTableViewDataSource() = default;

    // --- Rows ---
    int numberOfRowsInSection(UITableView* tableView, int section) override { return 0; }
    // Makes or reuses a cell of the object's cell class (its name is the reuse identifier),
    // gives it the object and lets cellWillAppearAtIndexPath see it.
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) override;
    std::vector<std::string> sectionIndexTitlesForTableView(UITableView* tableView) override { return {}; }
    // -1: the table scrolled to its header view instead of a section.
    int sectionForSectionIndexTitle(UITableView* tableView, const std::string& title, int index) override;

    virtual TTTableObject objectForRowAtIndexPath(UITableView* tableView, const NSIndexPath& indexPath) { return {}; }
    virtual const TTTableCellClass& cellClassForObject(UITableView* tableView, const TTTableObject& object);
    virtual std::string labelForObject(UITableView* tableView, const TTTableObject& object);
    virtual std::optional<NSIndexPath> indexPathForObject(UITableView* tableView, const TTTableObject& object)
    {
        return std::nullopt;
    }
    virtual void cellWillAppearAtIndexPath(UITableView* tableView, UITableViewCell* cell, const NSIndexPath& indexPath) {}
    virtual void tableViewDidLoadModel(UITableView* tableView) {}

    // Bringing the data source up to date with one change of its model: the index path to
    // reload, insert or delete (one index: a whole section, two: a row); nullopt reloads the
    // whole table. None of the ready data sources answers them.
    virtual std::optional<std::vector<int>> willUpdateObject(UITableView* tableView, const TTTableObject& object,
                                                             const NSIndexPath& indexPath)
    {
        return std::nullopt;
    }
    virtual std::optional<std::vector<int>> willInsertObject(UITableView* tableView, const TTTableObject& object,
                                                             const NSIndexPath& indexPath)
    {
        return std::nullopt;
    }
    virtual std::optional<std::vector<int>> willRemoveObject(UITableView* tableView, const TTTableObject& object,
                                                             const NSIndexPath& indexPath)
    {
        return std::nullopt;
    }
    virtual void search(const std::string& text) {}

    // --- Texts and images of the loading, empty and error views ---
    virtual std::string titleForLoading(bool refreshing);
    virtual UIImagePtr imageForEmpty() { return imageForError(nullptr); }
    virtual std::string titleForEmpty() { return {}; }
    virtual std::string subtitleForEmpty() { return {}; }
    virtual UIImagePtr imageForError(const NSError* error) { return nullptr; }
    virtual std::string titleForError(const NSError* error);
    virtual std::string subtitleForError(const NSError* error);

    // --- Model ---
    // The assigned model, or this data source when none is assigned.
    virtual TTModel* model();
    virtual void setModel(TTModelPtr model) { model_ = std::move(model); }
    const TTModelPtr& assignedModel() const { return model_; }

    // The search symbol when search is set, "A" to "Z", then "#" when summary is set.
    static std::vector<std::string> lettersForSectionsWithSearch(bool search, bool summary);

private:
    TTModelPtr model_;
};

using TTTableViewDataSourcePtr = std::shared_ptr<TTTableViewDataSource>;

// Installed by a table view controller while it has no model of its own: always loading, no rows.
class TTTableViewInterstialDataSource : public TTTableViewDataSource {
public:
    TTModel* model() override { return this; }
    bool isLoaded() const override { return false; }
    bool isLoading() const override { return true; }
};
