#pragma once
// Starts the local stand-in social network on a free loopback port for one test, and makes a
// session that talks to it.

#include <gtest/gtest.h>

#include <memory>

#include "social/Facebook.h"
#include "tools/fakesocial/FakeSocialService.h"

struct FakeSocialServer {
  FakeSocialService service;

  explicit FakeSocialServer(const FakeSocialService::Switches& switches = {}) {
    service.setSwitches(switches);
    EXPECT_TRUE(service.start(0));
  }
  FBEndpoints endpoints() const { return FBEndpoints::onServer(service.origin()); }
  std::unique_ptr<Facebook> makeSession() const { return std::make_unique<Facebook>("lumeno", endpoints()); }
};
