#pragma once
// What the JSON parser and writer share: the trace of coded errors of the last call and the
// nesting limit.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* SBJSONErrorDomain = "org.Corbenhal.JSON.ErrorDomain";

enum SBJsonErrorCode : unsigned {
  EUNSUPPORTED = 1,  // the writer cannot write the value
  EPARSENUM = 2,
  EPARSE = 3,
  EFRAGMENT = 4,  // not an array or object at top level
  ECTRL = 5,      // raw control character in a string
  EUNICODE = 6,
  EDEPTH = 7,
  EESCAPE = 8,
  ETRAILCOMMA = 9,
  ETRAILGARBAGE = 10,
  EEOF = 11,
  EINPUT = 12,
};

// One failure; `underlyingError` is the failure it wraps (the trace's previous record).
struct SBJsonError {
  std::string domain;
  unsigned code = 0;
  std::string localizedDescription;
  std::shared_ptr<const SBJsonError> underlyingError;
};

class SBJsonBase {
 public:
  using ErrorTrace = std::vector<std::shared_ptr<const SBJsonError>>;
  static constexpr unsigned kDefaultMaxDepth = 512;
  // Containers the parser opens at most when the limit is switched off, so that hostile
  // input cannot exhaust the stack.
  static constexpr unsigned kHardDepthLimit = 4096;

  virtual ~SBJsonBase() = default;

  // Absent until the first error of a call; innermost failure first.
  const std::optional<ErrorTrace>& errorTrace() const { return errorTrace_; }
  // 0 switches the limit off.
  virtual unsigned maxDepth() const { return maxDepth_; }
  virtual void setMaxDepth(unsigned depth) { maxDepth_ = depth; }

  void addErrorWithCode(unsigned code, std::string description);
  void clearErrorTrace();
  // Called before (true) and after (false) every change of the trace.
  void setErrorTraceObserver(std::function<void(bool before)> observer) { observer_ = std::move(observer); }

 protected:
  void setErrorTrace(std::optional<ErrorTrace> trace);
  // Opens a container: false (with error 7) past the limit.
  [[nodiscard]] bool enterContainer(unsigned hardLimit);

  unsigned depth_ = 0;
  unsigned maxDepth_ = kDefaultMaxDepth;

 private:
  std::optional<ErrorTrace> errorTrace_;
  std::function<void(bool)> observer_;
};
