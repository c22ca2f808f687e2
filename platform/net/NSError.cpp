#include "platform/net/NSError.h"

namespace {
const char* urlErrorText(int code) {
  switch (code) {
    case NSURLErrorCancelled: return "cancelled";
    case NSURLErrorBadURL: return "bad URL";
    case NSURLErrorTimedOut: return "The request timed out.";
    case NSURLErrorUnsupportedURL: return "unsupported URL";
    case NSURLErrorCannotFindHost: return "A server with the specified hostname could not be found.";
    case NSURLErrorCannotConnectToHost: return "Could not connect to the server.";
    case NSURLErrorNetworkConnectionLost: return "The network connection was lost.";
    case NSURLErrorHTTPTooManyRedirects: return "too many HTTP redirects";
    case NSURLErrorNotConnectedToInternet: return "The Internet connection appears to be offline.";
    case NSURLErrorBadServerResponse: return "The server returned a bad response.";
    case NSURLErrorSecureConnectionFailed: return "An SSL error has occurred and a secure connection to the server cannot be made.";
    case NSURLErrorCannotCreateFile: return "The file could not be created.";
    case NSURLErrorCannotWriteToFile: return "The file could not be written.";
    default: return "An unknown error occurred.";
  }
}
}  // namespace

std::string NSError::description() const {
  std::string s = "Error Domain=" + domain + " Code=" + std::to_string(code);
  if (!localizedDescription.empty()) s += " \"" + localizedDescription + "\"";
  return s;
}

NSError NSError::urlError(int code, const std::string& detail) {
  std::string text = urlErrorText(code);
  if (!detail.empty()) text += " (" + detail + ")";
  return NSError(NSURLErrorDomain, code, std::move(text));
}
