#pragma once
// Small images and a delegate that records what a request hears.

#include <string>
#include <vector>

#include "platform/graphics/CGContext.h"
#include "toolkit/network/TTURLRequest.h"

inline UIImagePtr makeImage(int width, int height) {
  UIGraphicsBeginImageContextWithOptions(CGSizeMake(width, height), false, 1);
  UIGraphicsGetCurrentContext()->setRGBFillColor(0, 0, 1, 1);
  UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, width, height));
  UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image;
}

inline std::vector<uint8_t> pngBytes(int width = 4, int height = 4) {
  return UIImagePNGRepresentation(*makeImage(width, height));
}

struct RecordingDelegate : TTURLRequestDelegate {
  std::vector<std::string> events;
  std::vector<NSError> errors;
  int finished = 0, failed = 0, cancelled = 0;

  void requestDidStartLoad(TTURLRequest*) override { events.push_back("start"); }
  void requestDidUploadData(TTURLRequest*) override { events.push_back("upload"); }
  void requestDidFinishLoad(TTURLRequest*) override {
    events.push_back("finish");
    ++finished;
  }
  void requestDidFailLoadWithError(TTURLRequest*, const NSError& e) override {
    events.push_back("fail");
    errors.push_back(e);
    ++failed;
  }
  void requestDidCancelLoad(TTURLRequest*) override {
    events.push_back("cancel");
    ++cancelled;
  }
  int ended() const { return finished + failed + cancelled; }
};
