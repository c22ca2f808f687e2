// lumeno-fakesocial [--port N] [--record FILE] [--fail-login STATUS] [--fail-me STATUS]
//                   [--fail-picture STATUS] [--fail-post STATUS] [--post-body TEXT] [--no-expiry]
//                   [--me-pace silent|trickle] [--picture-pace silent|trickle]
//                   [--post-pace silent|trickle]
// The local stand-in for the social network, on 127.0.0.1 only, until interrupted.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tools/fakesocial/FakeSocialService.h"

namespace {
volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

constexpr const char* kUsage =
    "usage: %s [--port N] [--record FILE] [--fail-login STATUS] [--fail-me STATUS] [--fail-picture STATUS]\n"
    "          [--fail-post STATUS] [--post-body TEXT] [--no-expiry] [--me-pace silent|trickle]\n"
    "          [--picture-pace silent|trickle] [--post-pace silent|trickle]\n";

bool readPace(const std::string& name, FakeSocialService::Pace& pace) {
  if (name == "silent") pace = FakeSocialService::Pace::Silent;
  else if (name == "trickle") pace = FakeSocialService::Pace::Trickle;
  else return false;
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  int port = 8431;
  FakeSocialService service;
  FakeSocialService::Switches switches;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--port" && hasValue) port = std::atoi(argv[++i]);
    else if (arg == "--record" && hasValue) service.setRecordFile(argv[++i]);
    else if (arg == "--fail-login" && hasValue) switches.loginStatus = std::atoi(argv[++i]);
    else if (arg == "--fail-me" && hasValue) switches.meStatus = std::atoi(argv[++i]);
    else if (arg == "--fail-picture" && hasValue) switches.pictureStatus = std::atoi(argv[++i]);
    else if (arg == "--fail-post" && hasValue) switches.postStatus = std::atoi(argv[++i]);
    else if (arg == "--post-body" && hasValue) switches.postBody = argv[++i];
    else if (arg == "--no-expiry") switches.expiresIn.reset();
    else if (arg == "--me-pace" && hasValue && readPace(argv[i + 1], switches.mePace)) ++i;
    else if (arg == "--picture-pace" && hasValue && readPace(argv[i + 1], switches.picturePace)) ++i;
    else if (arg == "--post-pace" && hasValue && readPace(argv[i + 1], switches.postPace)) ++i;
    else {
      std::fprintf(stderr, kUsage, argv[0]);
      return 2;
    }
  }
  service.setSwitches(switches);
  if (!service.start(port)) {
    std::fprintf(stderr, "lumeno-fakesocial: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("lumeno-fakesocial: listening on %s\n", service.origin().c_str());
  std::fflush(stdout);
  std::signal(SIGINT, onSignal);
  std::signal(SIGTERM, onSignal);
  while (!stopRequested) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return 0;
}
