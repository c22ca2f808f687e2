#include "social/json/SBJsonBase.h"

void SBJsonBase::addErrorWithCode(unsigned code, std::string description) {
  auto error = std::make_shared<SBJsonError>();
  error->domain = SBJSONErrorDomain;
  error->code = code;
  error->localizedDescription = std::move(description);
  if (errorTrace_ && !errorTrace_->empty()) error->underlyingError = errorTrace_->back();
  if (observer_) observer_(true);
  if (!errorTrace_) errorTrace_.emplace();
  errorTrace_->push_back(std::move(error));
  if (observer_) observer_(false);
}

void SBJsonBase::clearErrorTrace() { setErrorTrace(std::nullopt); }

void SBJsonBase::setErrorTrace(std::optional<ErrorTrace> trace) {
  if (observer_) observer_(true);
  errorTrace_ = std::move(trace);
  if (observer_) observer_(false);
}

bool SBJsonBase::enterContainer(unsigned hardLimit) {
  ++depth_;
  const unsigned limit = maxDepth_ ? maxDepth_ : hardLimit;
  if (limit && depth_ > limit) {
    addErrorWithCode(EDEPTH, "Nested too deep");
    return false;
  }
  return true;
}
