#pragma once
// The toolkit's shared free functions: collections that do not own their elements, rectangle
// arithmetic, the network activity counter, the toolkit's own texts and the local URL forms.

#include <map>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"

struct NSError;

// Delegate lists and back references: the elements are not kept alive; whoever adds one takes
// it out before it goes away.
template <class T>
using TTUnretainedArray = std::vector<T*>;
template <class K, class V>
using TTUnretainedDictionary = std::map<K, V*>;

CGRect TTRectShrink(CGRect rect, CGFloat dx, CGFloat dy);
CGRect TTRectApplyInsets(CGRect rect, UIEdgeInsets insets);

// The status bar's network activity indicator shows while the count is above 0.
void TTNetworkActivityBegan();
void TTNetworkActivityEnded();
int TTNetworkActivityCount();

// The toolkit's texts from the "Vantrel.bundle" string tables, the key itself when missing.
std::string TTToolkitLocalizedString(const std::string& key);
// The wording of a failed load for the user.
std::string TTTextForURLError(const NSError& error);

bool TTIsBundleResourceURL(const std::string& url);
bool TTIsDocumentsResourceURL(const std::string& url);
std::string TTBundleResourcePath(const std::string& relativePath);
std::string TTDocumentsResourcePath(const std::string& relativePath);
