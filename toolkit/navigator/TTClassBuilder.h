#pragma once
// Registers a C++ class with the URL map's class registry:
//
//   TTClassBuilder<PhotoController, UIViewController>("PhotoController")
//       .initializer("initWithPhotoId:", [](int id) { return std::make_shared<PhotoController>(id); })
//       .method("showComment:", &PhotoController::showComment)
//       .property("photoId", &PhotoController::photoId);
//
// Initialisers and methods return a std::shared_ptr (or nothing); their parameters are
// numbers, bool, std::string, TTQuery or NSURL. A class derived from UIViewController answers
// "initWithNavigatorURL:query:" with its plain constructor.

#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/foundation/StringUtils.h"
#include "platform/ui/hosting/UIViewController.h"
#include "toolkit/navigator/TTClass.h"

namespace tt_class_detail {

template <class T>
struct IsSharedPtr : std::false_type {};
template <class T>
struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {};

template <class X>
TTObjectRef refFor(const std::shared_ptr<X>& p) {
  if (!p) return {};
  auto& registry = TTClassRegistry::shared();
  if constexpr (std::is_polymorphic_v<X>) {
    if (const TTClass* cls = registry.classForType(typeid(*p)))
      return {std::shared_ptr<void>(p, dynamic_cast<void*>(const_cast<std::remove_const_t<X>*>(p.get()))), cls};
  }
  const TTClass* cls = registry.classForType(typeid(X));
  if (!cls) return {};
  return {std::shared_ptr<void>(p, const_cast<std::remove_const_t<X>*>(p.get())), cls};
}

template <class R>
TTObjectRef wrapResult(R&& result) {
  using U = std::decay_t<R>;
  if constexpr (IsSharedPtr<U>::value) return refFor(result);
  else if constexpr (std::is_same_v<U, TTObjectRef>) return result;
  else return {};
}

template <class R>
std::any wrapValue(R&& value) {
  using U = std::decay_t<R>;
  if constexpr (IsSharedPtr<U>::value) return std::any(refFor(value));
  else return std::any(U(std::forward<R>(value)));
}

// An absent argument is the type's empty value (nil, 0); a value of another kind fails.
template <class T>
bool takeArg(const std::any& a, std::optional<T>& out) {
  if constexpr (std::is_same_v<T, std::any>) {
    out = a;
    return true;
  }
  if (!a.has_value()) {
    if constexpr (std::is_default_constructible_v<T>) {
      out.emplace();
      return true;
    }
    return false;
  }
  if (const T* p = std::any_cast<T>(&a)) {
    out = *p;
    return true;
  }
  return false;
}

template <class... A, class Invoke, size_t... I>
std::optional<TTObjectRef> callWith(const std::vector<std::any>& args, Invoke&& invoke, std::index_sequence<I...>) {
  if (args.size() != sizeof...(A)) return std::nullopt;
  std::tuple<std::optional<std::decay_t<A>>...> values;
  if (!(takeArg(args[I], std::get<I>(values)) && ...)) return std::nullopt;
  return invoke(*std::get<I>(values)...);
}

// URL text as a parameter of type T: numbers and bool as the platform's string accessors
// read them; anything else gets the text and fits only a std::string parameter.
template <class T>
std::any fromText(const std::string& text) {
  using U = std::decay_t<T>;
  if constexpr (std::is_same_v<U, bool>) return std::any(str::toBool(text));
  else if constexpr (std::is_integral_v<U> && sizeof(U) <= 4) return std::any(static_cast<U>(str::toInt(text)));
  else if constexpr (std::is_integral_v<U>) return std::any(static_cast<U>(str::toLongLong(text)));
  else if constexpr (std::is_floating_point_v<U>) return std::any(static_cast<U>(str::toDouble(text)));
  else return std::any(text);
}

template <class... A, class Invoke>
TTMethod makeMethod(bool initializer, Invoke invoke) {
  TTMethod m;
  m.argTypes = {TTURLArgumentTypeOf<A>()...};
  m.fromText = {&fromText<A>...};
  m.initializer = initializer;
  m.call = [invoke](const TTObjectRef& receiver, const std::vector<std::any>& args) {
    return callWith<A...>(args, [&](auto&&... v) { return invoke(receiver, v...); }, std::index_sequence_for<A...>{});
  };
  return m;
}

template <class F>
struct Signature : Signature<decltype(std::function{std::declval<F>()})> {};
template <class R, class... A>
struct Signature<std::function<R(A...)>> {
  template <class Build>
  static TTMethod make(bool initializer, Build build) {
    return build.template operator()<R, A...>(initializer);
  }
};

}  // namespace tt_class_detail

template <class C, class Base = void>
class TTClassBuilder {
 public:
  explicit TTClassBuilder(const std::string& name)
      : cls_(TTClassRegistry::shared().add(
            name, typeid(C), std::is_void_v<Base> ? nullptr : TTClassRegistry::shared().classForType(typeid(BaseOrC)))) {
    if constexpr (!std::is_void_v<Base>) {
      static_assert(std::is_base_of_v<Base, C>);
      cls_.upcast_ = [](const void* p) -> const void* { return static_cast<const Base*>(static_cast<const C*>(p)); };
    }
    if constexpr (std::is_default_constructible_v<C> && !std::is_abstract_v<C>)
      cls_.factory = [] { return std::shared_ptr<void>(std::make_shared<C>()); };
    if constexpr (std::is_base_of_v<UIViewController, C>) {
      cls_.asController = [](void* p) -> UIViewController* { return static_cast<C*>(p); };
      if (cls_.factory)
        cls_.instanceMethods["initWithNavigatorURL:query:"] = tt_class_detail::makeMethod<const NSURLLike&, const TTQuery&>(
            true, [this_cls = &cls_](const TTObjectRef&, const NSURLLike&, const TTQuery&) { return this_cls->make(); });
    }
  }

  // Makes a new object; `make` returns std::shared_ptr<C> (or of a subclass).
  template <class F>
  TTClassBuilder& initializer(const std::string& selector, F make) {
    cls_.instanceMethods[selector] = tt_class_detail::Signature<F>::make(true, Bind<F>{make});
    return *this;
  }
  template <class F>
  TTClassBuilder& classMethod(const std::string& selector, F fn) {
    cls_.classMethods[selector] = tt_class_detail::Signature<F>::make(false, Bind<F>{fn});
    return *this;
  }
  template <class R, class... A>
  TTClassBuilder& method(const std::string& selector, R (C::*fn)(A...)) {
    return addMethod<R, A...>(selector, fn);
  }
  template <class R, class... A>
  TTClassBuilder& method(const std::string& selector, R (C::*fn)(A...) const) {
    return addMethod<R, A...>(selector, fn);
  }
  template <class R>
  TTClassBuilder& property(const std::string& key, R (C::*getter)() const) {
    cls_.properties[key] = {TTURLArgumentTypeOf<R>(), [getter](const void* o) {
                              return tt_class_detail::wrapValue((static_cast<const C*>(o)->*getter)());
                            }};
    return *this;
  }
  template <class R>
  TTClassBuilder& property(const std::string& key, R C::*member) {
    cls_.properties[key] = {TTURLArgumentTypeOf<R>(),
                            [member](const void* o) { return tt_class_detail::wrapValue(static_cast<const C*>(o)->*member); }};
    return *this;
  }

  const TTClass& cls() const { return cls_; }

 private:
  using BaseOrC = std::conditional_t<std::is_void_v<Base>, C, Base>;
  // Any NSURL-or-nothing first argument: the plain initialiser ignores it.
  using NSURLLike = std::any;

  template <class R, class... A, class M>
  TTClassBuilder& addMethod(const std::string& selector, M fn) {
    cls_.instanceMethods[selector] = tt_class_detail::makeMethod<A...>(false, [fn](const TTObjectRef& receiver, const auto&... a) {
      auto self = receiver.as<C>();
      if (!self) return TTObjectRef{};
      if constexpr (std::is_void_v<R>) {
        ((*self).*fn)(a...);
        return TTObjectRef{};
      } else {
        return tt_class_detail::wrapResult(((*self).*fn)(a...));
      }
    });
    return *this;
  }

  template <class F>
  struct Bind {
    F fn;
    template <class R, class... A>
    TTMethod operator()(bool initializer) const {
      F f = fn;
      return tt_class_detail::makeMethod<A...>(initializer, [f](const TTObjectRef&, const auto&... a) {
        if constexpr (std::is_void_v<R>) {
          f(a...);
          return TTObjectRef{};
        } else {
          return tt_class_detail::wrapResult(f(a...));
        }
      });
    }
  };

  TTClass& cls_;
};
