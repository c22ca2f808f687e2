#pragma once
// What a toolkit screen asks of the search display it makes for its search results controller.
// The table controllers library provides the display and installs its maker.

#include <functional>
#include <memory>

#include "platform/ui/hosting/UISearchDisplayController.h"
#include "platform/ui/hosting/UIViewController.h"

class TTSearchDisplay {
 public:
  virtual ~TTSearchDisplay() = default;
  virtual UISearchDisplayController& searchDisplayController() = 0;
  virtual UIViewController* searchResultsViewController() const = 0;
  virtual void setSearchResultsViewController(UIViewControllerPtr controller) = 0;

  // Makes the display for a search bar over a screen; empty until installed.
  using Maker = std::function<std::unique_ptr<TTSearchDisplay>(std::shared_ptr<UISearchBar> bar, UIViewController* contents)>;
  static Maker& maker();
};
