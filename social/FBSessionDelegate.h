#pragma once
// Answers of the session about a login, and of the login dialog to the session.

#include <optional>
#include <string>

#include "platform/foundation/NSDate.h"

// Every operation optional; not retained by the session.
class FBSessionDelegate {
 public:
  virtual ~FBSessionDelegate() = default;
  virtual void fbDidLogin() {}
  virtual void fbDidNotLogin(bool cancelled) {}
  virtual void fbDidLogout() {}
};

class FBLoginDialogDelegate {
 public:
  virtual ~FBLoginDialogDelegate() = default;
  virtual void fbDialogLogin(const std::string& token, const std::optional<NSDate>& expirationDate) = 0;
  virtual void fbDialogNotLogin(bool cancelled) = 0;
};
