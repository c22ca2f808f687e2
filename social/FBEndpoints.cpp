#include "social/FBEndpoints.h"

#include <cstdlib>

#include "platform/foundation/NSUserDefaults.h"

FBEndpoints FBEndpoints::onServer(const std::string& origin) {
  return FBEndpoints{origin + "/dialog/", origin + "/method/", origin + "/", origin + "/"};
}

FBEndpoints FBEndpoints::fromDefaults() {
  NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
  const auto read = [&](const char* key) { return defaults.stringForKey(key).value_or(""); };
  return FBEndpoints{read(kDialogBaseKey), read(kRestBaseKey), read(kGraphBaseKey), read(kLoginCookieKey)};
}

std::string FBEndpoints::appIdFromDefaults() {
  std::string id = NSUserDefaults::standardUserDefaults().stringForKey(kAppIdKey).value_or("");
  return id.empty() ? kDefaultAppId : id;
}

void FBEndpoints::registerDefaults() {
  const char* origin = std::getenv("LUMENO_SOCIAL_ORIGIN");
  const FBEndpoints local =
      onServer(origin && *origin ? std::string(origin) : "http://127.0.0.1:" + std::to_string(kDefaultPort));
  NSUserDefaults::standardUserDefaults().registerDefaults({
      {kAppIdKey, Value(std::string(kDefaultAppId))},
      {kDialogBaseKey, Value(local.dialogBase)},
      {kRestBaseKey, Value(local.restBase)},
      {kGraphBaseKey, Value(local.graphBase)},
      {kLoginCookieKey, Value(local.loginCookieURL)},
  });
}
