#pragma once
// Error records shared by the network, media and services layers: a domain, a code and a
// human-readable description.

#include <string>

// Domains.
inline constexpr const char* NSURLErrorDomain = "NSURLErrorDomain";
inline constexpr const char* NSCocoaErrorDomain = "NSCocoaErrorDomain";
inline constexpr const char* NSOSStatusErrorDomain = "NSOSStatusErrorDomain";

// Codes of NSURLErrorDomain.
enum : int {
  NSURLErrorUnknown = -1,
  NSURLErrorCancelled = -999,
  NSURLErrorBadURL = -1000,
  NSURLErrorTimedOut = -1001,
  NSURLErrorUnsupportedURL = -1002,
  NSURLErrorCannotFindHost = -1003,
  NSURLErrorCannotConnectToHost = -1004,
  NSURLErrorNetworkConnectionLost = -1005,
  NSURLErrorHTTPTooManyRedirects = -1007,
  NSURLErrorNotConnectedToInternet = -1009,
  NSURLErrorBadServerResponse = -1011,
  NSURLErrorZeroByteResource = -1014,
  NSURLErrorCannotCreateFile = -3000,
  NSURLErrorCannotWriteToFile = -3003,
  NSURLErrorSecureConnectionFailed = -1200,
};

// Codes of NSCocoaErrorDomain used here.
enum : int {
  NSFileNoSuchFileError = 4,
  NSFileReadNoSuchFileError = 260,
  NSFileReadUnknownError = 256,
  NSFileWriteUnknownError = 512,
  NSFileWriteOutOfSpaceError = 640,
};

struct NSError {
  std::string domain;
  int code = 0;
  std::string localizedDescription;

  NSError() = default;
  NSError(std::string domain, int code, std::string description = {})
      : domain(std::move(domain)), code(code), localizedDescription(std::move(description)) {}

  // "Error Domain=<domain> Code=<code> "<description>"" as the platform prints it.
  std::string description() const;
  bool empty() const { return domain.empty() && code == 0; }

  // A URL error with the platform's wording for the code.
  static NSError urlError(int code, const std::string& detail = {});
};

// Describing overload for "%@" in formats and logs.
inline std::string describe(const NSError& e) { return e.description(); }
