#pragma once
// An error of the social network client: the platform's error plus the user info the service
// sent (its decoded answer, or "error_msg" alone).

#include "platform/net/NSError.h"
#include "social/json/JSONValue.h"

inline constexpr const char* FBErrorDomain = "facebookErrDomain";
inline constexpr int kFBGenericErrorCode = 10000;

struct FBError : NSError {
  JSONObject userInfo;

  FBError() = default;
  explicit FBError(const NSError& transport) : NSError(transport) {}
  FBError(int code, JSONObject info);
};
