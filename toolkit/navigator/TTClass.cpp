#include "toolkit/navigator/TTClass.h"

#include "platform/ui/hosting/UIViewController.h"

std::shared_ptr<UIViewController> TTObjectRef::controller() const {
  if (!object || !cls || !cls->asController) return nullptr;
  return std::shared_ptr<UIViewController>(object, cls->asController(object.get()));
}

TTClass::TTClass(std::string name, std::type_index type, const TTClass* superclass)
    : name_(std::move(name)), type_(type), superclass_(superclass) {}

bool TTClass::isSubclassOf(const TTClass* other) const {
  for (const TTClass* c = this; c; c = c->superclass_)
    if (c == other) return true;
  return false;
}

bool TTClass::isController() const { return static_cast<bool>(asController); }

TTObjectRef TTClass::make() const {
  if (!factory) return {};
  return {factory(), this};
}

namespace {
template <class T>
const T* findUp(const TTClass* cls, const std::map<std::string, T> TTClass::*table, const std::string& key) {
  for (const TTClass* c = cls; c; c = c->superclass()) {
    auto it = (c->*table).find(key);
    if (it != (c->*table).end()) return &it->second;
  }
  return nullptr;
}
}  // namespace

const TTMethod* TTClass::instanceMethod(const std::string& selector) const {
  return findUp(this, &TTClass::instanceMethods, selector);
}

const TTMethod* TTClass::classMethod(const std::string& selector) const {
  return findUp(this, &TTClass::classMethods, selector);
}

const TTProperty* TTClass::property(const std::string& key) const { return findUp(this, &TTClass::properties, key); }

std::any TTClass::valueForKey(const void* object, const std::string& key) const {
  for (const TTClass* c = this; c && object; c = c->superclass()) {
    auto it = c->properties.find(key);
    if (it != c->properties.end()) return it->second.get(object);
    object = c->toSuperclass(object);
  }
  return {};
}

TTClassRegistry& TTClassRegistry::shared() {
  static TTClassRegistry registry;
  return registry;
}

TTClass& TTClassRegistry::add(const std::string& name, std::type_index type, const TTClass* superclass) {
  auto& slot = byName_[name];
  if (slot && slot->type() == type) return *slot;  // registered again: same class, extended
  if (slot) {
    byType_.erase(slot->type());
    replaced_.push_back(std::move(slot));
  }
  slot = std::make_unique<TTClass>(name, type, superclass);
  byType_[type] = slot.get();
  return *slot;
}

const TTClass* TTClassRegistry::classNamed(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second.get();
}

const TTClass* TTClassRegistry::classForType(std::type_index type) const {
  auto it = byType_.find(type);
  return it == byType_.end() ? nullptr : it->second;
}
