#pragma once
// A non-owning reference to something callable: what a function that calls back takes, so that
// its callers hand it a lambda with its captures instead of a function and a void* context.
// It must not outlive the call it is passed to.
#include <type_traits>

template <typename Signature>
class FunctionRef;

template <typename Result, typename... Args>
class FunctionRef<Result(Args...)> {
public:
    template <typename Callable, typename = std::enable_if_t<!std::is_same_v<std::decay_t<Callable>, FunctionRef>>>
    // Implicit: every caller hands a lambda straight to the function that takes it.
    // NOLINTNEXTLINE(google-explicit-constructor)
    // cppcheck-suppress noExplicitConstructor
    FunctionRef(Callable&& callable)
        : object_(const_cast<void*>(static_cast<const void*>(&callable))),
          call_([](void* object, Args... args) -> Result {
              return (*static_cast<std::remove_reference_t<Callable>*>(object))(static_cast<Args&&>(args)...);
          }) {}

    Result operator()(Args... args) const { return call_(object_, static_cast<Args&&>(args)...); }

private:
    void* object_;
    Result (*call_)(void* object, Args... args);
};
