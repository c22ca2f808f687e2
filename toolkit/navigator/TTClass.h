#pragma once
// The registry the URL map works through: each class that URLs may name is registered under a
// name with its superclass, a plain factory, its initialisers, methods, class methods and
// readable properties, each keyed by its selector ("initWithName:count:"). A call hands the
// arguments over as std::any; a value of the wrong kind makes the call fail, never crash.

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

class UIViewController;

// Argument and property kinds: 0 none, 1 object, 2 bool, 3 integer, 4 64-bit integer,
// 5 float, 6 double.
enum class TTURLArgumentType { None = 0, Object = 1, Bool = 2, Integer = 3, LongLong = 4, Float = 5, Double = 6 };

template <class T>
constexpr TTURLArgumentType TTURLArgumentTypeOf() {
  using U = std::decay_t<T>;
  if constexpr (std::is_same_v<U, bool>) return TTURLArgumentType::Bool;
  else if constexpr (std::is_integral_v<U> && sizeof(U) <= 4) return TTURLArgumentType::Integer;
  else if constexpr (std::is_integral_v<U>) return TTURLArgumentType::LongLong;
  else if constexpr (std::is_same_v<U, float>) return TTURLArgumentType::Float;
  else if constexpr (std::is_same_v<U, double>) return TTURLArgumentType::Double;
  else return TTURLArgumentType::Object;
}

// A query dictionary: URL query values are strings; callers may add objects (a button, ...).
using TTQuery = std::map<std::string, std::any>;

class TTClass;

// An object together with the class it was registered as.
struct TTObjectRef {
  std::shared_ptr<void> object;
  const TTClass* cls = nullptr;

  explicit operator bool() const { return object != nullptr; }
  // The object as a view controller, or null when its class is not one.
  std::shared_ptr<UIViewController> controller() const;
  template <class T>
  std::shared_ptr<T> as() const;
};

struct TTMethod {
  std::vector<TTURLArgumentType> argTypes;
  // Per argument: URL text converted to the parameter's type (text for objects).
  std::vector<std::function<std::any(const std::string& text)>> fromText;
  bool initializer = false;  // called on a new instance: makes the object itself
  // The receiver is ignored by initialisers and class methods. None when the arguments do not
  // fit the parameters; a null object when the method returns nothing.
  std::function<std::optional<TTObjectRef>(const TTObjectRef& receiver, const std::vector<std::any>& args)> call;
};

struct TTProperty {
  TTURLArgumentType type = TTURLArgumentType::None;
  // The value: a number, bool, std::string or a TTObjectRef.
  std::function<std::any(const void* object)> get;
};

class TTClass {
 public:
  TTClass(std::string name, std::type_index type, const TTClass* superclass);

  const std::string& name() const { return name_; }
  std::type_index type() const { return type_; }
  const TTClass* superclass() const { return superclass_; }
  bool isSubclassOf(const TTClass* other) const;
  bool isController() const;

  // alloc + init; null when the class cannot be made plainly.
  TTObjectRef make() const;
  // Looked up here, then up the superclass chain.
  const TTMethod* instanceMethod(const std::string& selector) const;
  const TTMethod* classMethod(const std::string& selector) const;
  const TTProperty* property(const std::string& key) const;
  // A property's value for a pointer to an instance of this class; empty when it has none.
  std::any valueForKey(const void* object, const std::string& key) const;
  bool instancesRespondTo(const std::string& selector) const { return instanceMethod(selector) != nullptr; }
  // A pointer to an instance of this class as a pointer to its superclass part.
  const void* toSuperclass(const void* object) const { return upcast_ ? upcast_(object) : object; }

  // Registration (TTClassBuilder does this).
  std::function<std::shared_ptr<void>()> factory;
  std::function<const void*(const void*)> upcast_;
  std::function<UIViewController*(void*)> asController;
  std::map<std::string, TTMethod> instanceMethods;
  std::map<std::string, TTMethod> classMethods;
  std::map<std::string, TTProperty> properties;

 private:
  std::string name_;
  std::type_index type_;
  const TTClass* superclass_;
};

// Process-wide: classes by name and by C++ type.
class TTClassRegistry {
 public:
  static TTClassRegistry& shared();
  TTClass& add(const std::string& name, std::type_index type, const TTClass* superclass);
  const TTClass* classNamed(const std::string& name) const;
  const TTClass* classForType(std::type_index type) const;
  // The registered class of the object's dynamic type, else of the nearest registered base
  // known statically; null when none.
  template <class T>
  const TTClass* classOf(const T& object) const;

 private:
  std::map<std::string, std::unique_ptr<TTClass>> byName_;
  std::vector<std::unique_ptr<TTClass>> replaced_;  // patterns may still point at them
  std::map<std::type_index, TTClass*> byType_;
};

template <class T>
const TTClass* TTClassRegistry::classOf(const T& object) const {
  if constexpr (std::is_polymorphic_v<T>) {
    if (const TTClass* cls = classForType(typeid(object))) return cls;
  }
  return classForType(typeid(T));
}

template <class T>
std::shared_ptr<T> TTObjectRef::as() const {
  for (const TTClass* c = cls; c; c = c->superclass())
    if (c->type() == typeid(T)) {
      const void* p = object.get();
      for (const TTClass* d = cls; d != c; d = d->superclass()) p = d->toSuperclass(p);
      return std::shared_ptr<T>(object, static_cast<T*>(const_cast<void*>(p)));
    }
  return nullptr;
}
