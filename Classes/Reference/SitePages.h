#pragma once
// Pages of the sites whose addresses are settings, shown in the in-app web page screen.

#include <string>

class UIViewController;

// Presents siteAddress(key, path) in a web page screen, the root of a new navigation
// controller, modally over presenter; false (nothing shown) when the setting is empty.
bool presentSitePage(UIViewController& presenter, const char* key, const std::string& path);
