#pragma once
// What callers attach to a request as its user info: a topic, a kept object and an object
// that is not kept (cancelling by delegate also matches the latter).

#include <memory>
#include <string>

struct TTUserInfo {
  std::string topic;
  std::shared_ptr<void> strong;
  const void* weak = nullptr;  // unretained

  static std::shared_ptr<TTUserInfo> topicStrongWeak(std::string topic, std::shared_ptr<void> strong, const void* weak) {
    return std::make_shared<TTUserInfo>(TTUserInfo{std::move(topic), std::move(strong), weak});
  }
  static std::shared_ptr<TTUserInfo> withTopic(std::string topic) { return topicStrongWeak(std::move(topic), nullptr, nullptr); }
  static std::shared_ptr<TTUserInfo> withWeak(const void* weak) { return topicStrongWeak({}, nullptr, weak); }
};
