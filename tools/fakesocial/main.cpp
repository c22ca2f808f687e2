// lumeno-fakesocial [--port N] [--record FILE] [--fail-login STATUS] [--fail-post STATUS]
//                   [--no-expiry]
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
    else if (arg == "--fail-post" && hasValue) switches.postStatus = std::atoi(argv[++i]);
    else if (arg == "--no-expiry") switches.expiresIn.reset();
    else {
      std::fprintf(stderr, "usage: %s [--port N] [--record FILE] [--fail-login STATUS] [--fail-post STATUS] [--no-expiry]\n",
                   argv[0]);
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
