#pragma once
// Small helpers the panel, picker and note screens share.

#include <string>

#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace screen_support {

// A visible text through the interface-language tables (key and fallback alike).
inline std::string tr(const char* text) { return Language::get(text, text); }

inline UIImagePtr stretched(const char* name, int leftCap, int topCap) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, topCap) : nullptr;
}

inline sqlite3* userDb() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return app ? app->dbConnection() : nullptr;
}

inline sqlite3* contentDb() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    return app ? app->dbConnectionStatic() : nullptr;
}

// The content database's own connection for searches (the drawing's one when none is open).
inline sqlite3* searchDb() {
    LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance();
    if (!app) return nullptr;
    return app->dbConnectionSearch() ? app->dbConnectionSearch() : app->dbConnectionStatic();
}

// Tells the user that a change was not stored and why (the data store's last failure on this
// thread), with an optional sentence after the reason.
inline void showWriteFailure(const char* title, const char* after = nullptr) {
    auto failure = DataStoreConnection::lastFailure();
    std::string message = failure ? tr(DataStoreConnection::describe(*failure).c_str())
                                  : tr("The data store did not take the change.");
    if (after) message += std::string(" ") + tr(after);
    auto alert = std::make_shared<UIAlertView>(tr(title), message, nullptr, tr("OK"), std::vector<std::string>{});
    alert->show();
}

}  // namespace screen_support
