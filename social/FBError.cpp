#include "social/FBError.h"

#include <string>

FBError::FBError(int code, JSONObject info) : NSError(FBErrorDomain, code), userInfo(std::move(info)) {
  // The service's own message, where it gave one, is the description shown to the user.
  for (const char* key : {"error_msg", "error_description", "error_reason"})
    if (const JSONValue* v = userInfo.find(key); v && v->isString() && !v->asString()->empty()) {
      localizedDescription = *v->asString();
      return;
    }
  if (const JSONValue* e = userInfo.find("error")) {
    if (const JSONObject* o = e->asObject())
      if (const JSONValue* m = o->find("message"); m && m->isString()) {
        localizedDescription = *m->asString();
        return;
      }
    if (e->isString()) {
      localizedDescription = *e->asString();
      return;
    }
  }
  localizedDescription = "The operation couldn't be completed. (" + std::string(FBErrorDomain) + " error " +
                         std::to_string(code) + ".)";
}
