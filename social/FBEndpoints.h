#pragma once
// Where the social network lives: the bases of its dialogs, REST methods and graph, and the
// address whose cookies hold a login. All are settings; the defaults name the local stand-in
// service on loopback, and an empty setting leaves logins failing with connection errors.

#include <string>

struct FBEndpoints {
  std::string dialogBase;      // ".../dialog/"; the login page is dialogBase + "oauth"
  std::string restBase;        // ".../method/"
  std::string graphBase;       // ".../"
  std::string loginCookieURL;  // cookies stored for it are deleted at logout

  static constexpr const char* kAppIdKey = "SocialAppID";
  static constexpr const char* kDialogBaseKey = "SocialDialogBaseURL";
  static constexpr const char* kRestBaseKey = "SocialRESTBaseURL";
  static constexpr const char* kGraphBaseKey = "SocialGraphBaseURL";
  static constexpr const char* kLoginCookieKey = "SocialLoginCookieURL";
  static constexpr const char* kDefaultAppId = "lumeno";
  static constexpr int kDefaultPort = 8431;

  // Every base on one server ("http://127.0.0.1:8431").
  static FBEndpoints onServer(const std::string& origin);
  static FBEndpoints fromDefaults();
  static std::string appIdFromDefaults();
  // Registers the defaults: every base on the origin in LUMENO_SOCIAL_ORIGIN, else the local
  // service on its fixed port.
  static void registerDefaults();
};
