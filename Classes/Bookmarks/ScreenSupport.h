#pragma once
// Small helpers the panel, picker and note screens share.

#include <string>

#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/graphics/UIImage.h"

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

}  // namespace screen_support
