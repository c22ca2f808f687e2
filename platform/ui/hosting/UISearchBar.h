#pragma once
// A search field on a bar: its background view is the first subview, then the
// rounded text field with a magnifier, and a Cancel button when asked for.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UISegmentedControl.h"
#include "platform/ui/hosting/UITextField.h"

class UISearchBar;

class UISearchBarDelegate {
public:
    virtual ~UISearchBarDelegate() = default;
    virtual bool searchBarShouldBeginEditing(UISearchBar* bar) { return true; }
    virtual void searchBarTextDidBeginEditing(UISearchBar* bar) {}
    virtual bool searchBarShouldEndEditing(UISearchBar* bar) { return true; }
    virtual void searchBarTextDidEndEditing(UISearchBar* bar) {}
    virtual void searchBarTextDidChange(UISearchBar* bar, const std::string& searchText) {}
    virtual bool shouldChangeTextInRange(UISearchBar* bar, NSRange range, const std::string& text) { return true; }
    virtual void searchBarSearchButtonClicked(UISearchBar* bar) {}
    virtual void searchBarCancelButtonClicked(UISearchBar* bar) {}
    // The user picked another scope button.
    virtual void selectedScopeButtonIndexDidChange(UISearchBar* bar, int selectedScope) {}
};

class UISearchBar : public UIView, private UITextFieldDelegate {
public:
    explicit UISearchBar(CGRect frame = CGRectMake(0, 0, 320, 44));
    ~UISearchBar() override;

    const std::string& text() const { return field_->text(); }
    void setText(const std::string& text);
    const std::string& placeholder() const { return field_->placeholder(); }
    void setPlaceholder(const std::string& p) { field_->setPlaceholder(p); }
    UISearchBarDelegate* delegate() const { return delegate_; }
    void setDelegate(UISearchBarDelegate* d) { delegate_ = d; }  // unretained
    bool showsCancelButton() const { return showsCancel_; }
    void setShowsCancelButton(bool shows, bool animated = false);
    const UIColorPtr& tintColor() const { return tint_; }
    void setTintColor(UIColorPtr c);
    // Scope buttons in a row under the field, shown while showsScopeBar is set.
    const std::vector<std::string>& scopeButtonTitles() const { return scopeTitles_; }
    void setScopeButtonTitles(std::vector<std::string> titles);
    bool showsScopeBar() const { return showsScope_; }
    void setShowsScopeBar(bool shows);
    int selectedScopeButtonIndex() const { return scope_ ? scope_->selectedSegmentIndex() : 0; }
    void setSelectedScopeButtonIndex(int index);
    // 44 points high, 88 with the scope bar.
    CGSize sizeThatFits(CGSize size) const override;
    UITextField* textField() const { return field_.get(); }
    UIView* backgroundView() const { return background_.get(); }
    UIButton* cancelButton() const { return cancel_.get(); }

    bool becomeFirstResponder() override { return field_->becomeFirstResponder(); }
    bool resignFirstResponder() override { return field_->resignFirstResponder(); }
    bool isFirstResponder() const { return field_->isFirstResponder(); }
    void layoutSubviews() override;

private:
    bool textFieldShouldBeginEditing(UITextField*) override;
    void textFieldDidBeginEditing(UITextField*) override;
    bool textFieldShouldEndEditing(UITextField*) override;
    void textFieldDidEndEditing(UITextField*) override;
    bool shouldChangeCharactersInRange(UITextField*, NSRange range, const std::string& replacement) override;
    bool textFieldShouldReturn(UITextField*) override;

    UISearchBarDelegate* delegate_ = nullptr;
    std::shared_ptr<UIView> background_;
    std::shared_ptr<UITextField> field_;
    std::shared_ptr<UIButton> cancel_;
    std::shared_ptr<UISegmentedControl> scope_;
    std::vector<std::string> scopeTitles_;
    bool showsCancel_ = false;
    bool showsScope_ = false;
    UIColorPtr tint_;
};

using UISearchBarPtr = std::shared_ptr<UISearchBar>;
