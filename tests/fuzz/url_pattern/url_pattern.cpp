// URL pattern matching: the first line is a pattern, registered for objects, controllers,
// fragments and URL generation; every further line is a URL looked up against it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"
#include "toolkit/navigator/TTClassBuilder.h"
#include "toolkit/navigator/TTURLMap.h"

namespace {
struct Target {
  int id = 0;
  std::string name;
  double ratio = 0;
  TTQuery query;
};

class TargetController : public UIViewController {};

void registerClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  TTClassBuilder<Target>("Target")
      .initializer("initWithId:", [](int id) { return std::make_shared<Target>(Target{id, "", 0, {}}); })
      .initializer("initWithId:name:ratio:query:",
                   [](long long id, const std::string& name, float ratio, const TTQuery& query) {
                     return std::make_shared<Target>(Target{static_cast<int>(id), name, ratio, query});
                   })
      .initializer("name:query:", [](const std::string& name, const TTQuery& query) {
        return std::make_shared<Target>(Target{0, name, 0, query});
      })
      .property("id", &Target::id)
      .property("name", &Target::name)
      .property("ratio", &Target::ratio);
  TTClassBuilder<UIViewController>("UIViewController");
  TTClassBuilder<TargetController, UIViewController>("TargetController");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  registerClasses();
  LogCapture quiet;
  auto lines = str::split(std::string(reinterpret_cast<const char*>(data), size), "\n");
  if (lines.empty() || lines.size() > 16) return 0;
  TTURLMap map;
  (void)map.fromToObject(lines[0], "Target");
  (void)map.fromToSharedViewController(lines[0], "TargetController");
  (void)map.fromToViewController(lines[0], "TargetController", "initWithId:name:ratio:query:");
  (void)map.fromToURL("Target", lines[0]);
  auto sample = std::make_shared<Target>(Target{7, "seven", 0.5, {}});
  TTObjectRef ref = tt_class_detail::refFor(sample);
  for (size_t i = 1; i < lines.size(); ++i) {
    TTObjectRef object = map.objectForURL(lines[i], TTQuery{{"extra", std::string("1")}});
    if (object && object.cls->name() != "Target" && object.cls->name() != "TargetController") __builtin_trap();
    (void)map.dispatchURL(lines[i], ref, std::nullopt);
    (void)map.transitionForURL(lines[i]);
  }
  (void)map.URLForObject(ref);
  return 0;
}
