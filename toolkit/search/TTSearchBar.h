#pragma once
// A styled bar holding one search field in a styled box, with an optional search icon and an
// optional Cancel button. Inside a table it makes room for the table's section index, which
// slides away while the field is edited.

#include <memory>

#include "toolkit/controls/TTView.h"
#include "toolkit/search/TTSearchTextField.h"

class TTButton;

class TTSearchBar : public TTView {
 public:
  explicit TTSearchBar(CGRect frame = CGRectZero);
  ~TTSearchBar() override;

  TTSearchTextField* searchField() const { return searchField_.get(); }
  TTView* boxView() const { return boxView_.get(); }

  // --- Forwarded to the field ---
  UITextFieldDelegate* delegate() const { return searchField_->delegate(); }
  void setDelegate(UITextFieldDelegate* delegate) { searchField_->setDelegate(delegate); }
  const TTTableViewDataSourcePtr& dataSource() const { return searchField_->dataSource(); }
  void setDataSource(TTTableViewDataSourcePtr dataSource) { searchField_->setDataSource(std::move(dataSource)); }
  bool editing() const { return searchField_->isEditing(); }
  bool showsDoneButton() const { return searchField_->showsDoneButton(); }
  void setShowsDoneButton(bool on) { searchField_->setShowsDoneButton(on); }
  bool showsDarkScreen() const { return searchField_->showsDarkScreen(); }
  void setShowsDarkScreen(bool on) { searchField_->setShowsDarkScreen(on); }
  bool searchesAutomatically() const { return searchField_->searchesAutomatically(); }
  void setSearchesAutomatically(bool on) { searchField_->setSearchesAutomatically(on); }
  const std::string& text() const { return searchField_->text(); }
  void setText(const std::string& text) { searchField_->setText(text); }
  const std::string& placeholder() const { return searchField_->placeholder(); }
  void setPlaceholder(const std::string& text) { searchField_->setPlaceholder(text); }
  UITableView* tableView() const { return searchField_->tableView(); }
  const UIColorPtr& textColor() const { return searchField_->textColor(); }
  void setTextColor(UIColorPtr color) { searchField_->setTextColor(std::move(color)); }
  const UIFontPtr& font() const { return searchField_->font(); }
  void setFont(UIFontPtr font) { searchField_->setFont(std::move(font)); }
  double rowHeight() const { return searchField_->rowHeight(); }
  void setRowHeight(double height) { searchField_->setRowHeight(height); }
  UIReturnKeyType returnKeyType() const { return searchField_->returnKeyType(); }
  void setReturnKeyType(UIReturnKeyType type) { searchField_->setReturnKeyType(type); }
  void search() { searchField_->search(); }
  void showSearchResults(bool show) { searchField_->showSearchResults(show); }
  bool becomeFirstResponder() override { return searchField_->becomeFirstResponder(); }
  bool resignFirstResponder() override { return searchField_->resignFirstResponder(); }

  // --- Its own ---
  // Stored only.
  const UIColorPtr& tintColor() const { return tintColor_; }
  void setTintColor(UIColorPtr color) { tintColor_ = std::move(color); }
  const TTStylePtr& textFieldStyle() const { return textFieldStyle_; }
  // Also the box's style.
  void setTextFieldStyle(TTStylePtr style);
  bool showsCancelButton() const { return showsCancelButton_; }
  void setShowsCancelButton(bool shows);
  TTButton* cancelButton() const { return cancelButton_.get(); }
  bool showsSearchIcon() const { return showsSearchIcon_; }
  void setShowsSearchIcon(bool shows);

  CGSize sizeThatFits(CGSize size) const override;
  void layoutSubviews() override;
  // Slides the enclosing table's section index in (true) or out (false).
  void showIndexView(bool show);
  double indexViewWidth() const;
  // Scrolls the enclosing scroll view so that the bar is at its top.
  void scrollToTop();
  void textFieldDidBeginEditing();
  void textFieldDidEndEditing();

 private:
  std::shared_ptr<TTSearchTextField> searchField_;
  std::shared_ptr<TTView> boxView_;
  UIColorPtr tintColor_;
  TTStylePtr textFieldStyle_;
  std::shared_ptr<TTButton> cancelButton_;
  bool showsCancelButton_ = false;
  bool showsSearchIcon_ = false;
};

using TTSearchBarPtr = std::shared_ptr<TTSearchBar>;
