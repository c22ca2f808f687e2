#pragma once
// What the navigator asks of a controller it opens, restores or reloads. Controllers that do
// not take this on keep nothing and let themselves be saved with just their URL.

#include "platform/foundation/Value.h"

class TTNavigable {
 public:
  virtual ~TTNavigable() = default;
  // Adds what the controller needs to come back to `state`; false leaves it out of the history.
  virtual bool persistView(Value::Map& state) { return true; }
  virtual void restoreView(const Value::Map& state) {}
  virtual void setFrozenState(const Value::Map& state) {}
  // Sent to controllers made while the navigator was delayed, once the delay ends.
  virtual void delayDidEnd() {}
  // Sent to the visible controller on a reload (a shake).
  virtual void reload() {}
};
