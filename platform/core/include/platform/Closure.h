// Event handlers: a closure is an object with one of its methods, or any
// callable. Closures are copyable, test false when empty, compare equal when
// they name the same object and method (a callable equals only its own
// copies), and are called like functions.
#pragma once

#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/Types.h"

class TObject;

template <class Sig>
class TClosure;

template <class R, class... A>
class TClosure<R(A...)> {
 public:
  TClosure() = default;
  TClosure(std::nullptr_t) {}  // NOLINT: `OnClick = nullptr` clears

  // An object and one of its methods.
  template <class T, class M>
  TClosure(T* obj, R (M::*method)(A...)) {  // NOLINT
    static_assert(std::is_base_of_v<M, T>, "the method must belong to the object's class");
    static_assert(sizeof(method) <= sizeof(method_), "method pointer too large");
    if (!obj || !method) return;
    call_ = std::make_shared<Method<T, M>>(obj, method);
    obj_ = static_cast<const void*>(obj);
    std::memcpy(method_, &method, sizeof(method));
  }

  // Any callable with a matching signature (lambdas, free functions).
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TClosure> &&
                                              !std::is_same_v<std::decay_t<F>, std::nullptr_t> &&
                                              std::is_invocable_r_v<R, F&, A...>>>
  TClosure(F&& f)  // NOLINT
      : call_(std::make_shared<Fn<std::decay_t<F>>>(std::forward<F>(f))) {}

  explicit operator bool() const { return call_ != nullptr; }

  R operator()(A... args) const {
    // Hold the target alive while it runs: the handler may reassign itself.
    std::shared_ptr<Callable> keep = call_;
    return keep->Call(std::forward<A>(args)...);
  }

  // The object a method closure is bound to (null for callables).
  const void* Object() const { return obj_; }

  friend bool operator==(const TClosure& a, const TClosure& b) {
    if (!a.call_ || !b.call_) return !a.call_ && !b.call_;
    if (a.obj_ || b.obj_)
      return a.obj_ == b.obj_ && std::memcmp(a.method_, b.method_, sizeof(a.method_)) == 0;
    return a.call_ == b.call_;
  }
  friend bool operator!=(const TClosure& a, const TClosure& b) { return !(a == b); }
  friend bool operator==(const TClosure& a, std::nullptr_t) { return !a.call_; }
  friend bool operator!=(const TClosure& a, std::nullptr_t) { return a.call_ != nullptr; }

 private:
  struct Callable {
    virtual ~Callable() = default;
    virtual R Call(A... args) = 0;
  };
  template <class T, class M>
  struct Method final : Callable {
    Method(T* o, R (M::*m)(A...)) : obj(o), method(m) {}
    R Call(A... args) override { return (obj->*method)(std::forward<A>(args)...); }
    T* obj;
    R (M::*method)(A...);
  };
  template <class F>
  struct Fn final : Callable {
    explicit Fn(F f) : fn(std::move(f)) {}
    R Call(A... args) override { return fn(std::forward<A>(args)...); }
    F fn;
  };

  std::shared_ptr<Callable> call_;
  const void* obj_ = nullptr;
  unsigned char method_[2 * sizeof(void*)] = {};
};

// Shift and mouse-button state of key and mouse events.
enum TShiftStateBits : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = TClosure<void(TObject*)>;
using TKeyPressEvent = TClosure<void(TObject*, char&)>;
using TKeyEvent = TClosure<void(TObject*, WORD&, TShiftState)>;
using TMouseMoveEvent = TClosure<void(TObject*, TShiftState, int, int)>;
using TMouseEvent = TClosure<void(TObject*, TMouseButton, TShiftState, int, int)>;
