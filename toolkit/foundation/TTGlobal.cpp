#include "toolkit/foundation/TTGlobal.h"

#include <memory>

#include "platform/foundation/Localization.h"
#include "platform/foundation/Paths.h"
#include "platform/net/NSError.h"
#include "platform/ui/UIApplication.h"

namespace {
int activityCount = 0;

std::string joinPath(const std::string& folder, const std::string& relative) {
  if (relative.empty()) return folder;
  if (!folder.empty() && folder.back() == '/') return folder + relative;
  return folder + "/" + relative;
}

bool hasPrefix(const std::string& s, const char* prefix, size_t length) {
  return s.size() >= length && s.compare(0, length, prefix) == 0;
}
}  // namespace

CGRect TTRectShrink(CGRect rect, CGFloat dx, CGFloat dy) {
  return CGRectMake(rect.origin.x, rect.origin.y, rect.size.width - dx, rect.size.height - dy);
}

CGRect TTRectApplyInsets(CGRect rect, UIEdgeInsets insets) {
  return CGRectMake(rect.origin.x + insets.left, rect.origin.y + insets.top,
                    rect.size.width - (insets.left + insets.right), rect.size.height - (insets.top + insets.bottom));
}

void TTNetworkActivityBegan() {
  if (activityCount++ == 0) UIApplication::sharedApplication().setNetworkActivityIndicatorVisible(true);
}

void TTNetworkActivityEnded() {
  if (--activityCount == 0) UIApplication::sharedApplication().setNetworkActivityIndicatorVisible(false);
}

int TTNetworkActivityCount() { return activityCount; }

static TTLocalizedStringLookup& localizedStringLookup() {
  static TTLocalizedStringLookup lookup;
  return lookup;
}

void TTSetLocalizedStringLookup(TTLocalizedStringLookup lookup) { localizedStringLookup() = std::move(lookup); }

std::string TTToolkitLocalizedString(const std::string& key) {
  if (const auto& lookup = localizedStringLookup()) return lookup(key, key);
  static const std::shared_ptr<const StringTable> table =
      StringTable::load("en", "Localizable", Paths::bundleResource("Vantrel.bundle"));
  return table ? table->localizedString(key, key) : key;
}

std::string TTTextForURLError(const NSError& error) {
  if (error.domain != NSURLErrorDomain) return TTToolkitLocalizedString("Error");
  if (error.code == NSURLErrorTimedOut) return TTToolkitLocalizedString("Connection Timed Out");
  if (error.code == NSURLErrorNotConnectedToInternet) return TTToolkitLocalizedString("No Internet Connection");
  return TTToolkitLocalizedString("Connection Error");
}

bool TTIsBundleResourceURL(const std::string& url) { return hasPrefix(url, "bundle://", 9); }

bool TTIsDocumentsResourceURL(const std::string& url) { return hasPrefix(url, "documents://", 12); }

std::string TTBundleResourcePath(const std::string& relativePath) { return joinPath(Paths::bundle(), relativePath); }

std::string TTDocumentsResourcePath(const std::string& relativePath) {
  static const std::string documents = Paths::documents();
  return joinPath(documents, relativePath);
}
