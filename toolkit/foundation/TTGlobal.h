#pragma once
// The toolkit's shared free functions: collections that do not own their elements, rectangle
// arithmetic, the network activity counter, the toolkit's own texts and the local URL forms.

#include <functional>
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

// The toolkit's texts: through the program's lookup once one is set, else from the
// "Vantrel.bundle" string table; the key itself when missing.
std::string TTToolkitLocalizedString(const std::string& key);
// The program's text lookup (key and fallback to text), e.g. its interface language's table;
// an empty function goes back to the bundle's table.
using TTLocalizedStringLookup = std::function<std::string(const std::string& key, const std::string& fallback)>;
void TTSetLocalizedStringLookup(TTLocalizedStringLookup lookup);
// The wording of a failed load for the user.
std::string TTTextForURLError(const NSError& error);

bool TTIsBundleResourceURL(const std::string& url);
bool TTIsDocumentsResourceURL(const std::string& url);
std::string TTBundleResourcePath(const std::string& relativePath);
std::string TTDocumentsResourcePath(const std::string& relativePath);
