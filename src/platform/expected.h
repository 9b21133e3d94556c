#pragma once
// A value or the problem that kept it from being had: what a function that can fail returns
// instead of showing a message and returning -1. Expected<void> (Status) is a success or a
// problem.

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/problem.h"

namespace mirulane {

template <class T, class E = Problem>
class [[nodiscard]] Expected {
    static_assert(!std::is_same_v<T, E>, "a value and its problem must be told apart");

  public:
    Expected(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Expected(E problem) : v_(std::in_place_index<1>, std::move(problem)) {}

    bool has_value() const { return v_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T value_or(T fallback) const { return has_value() ? value() : std::move(fallback); }

    const E& error() const { return std::get<1>(v_); }

  private:
    std::variant<T, E> v_;
};

template <class E>
class [[nodiscard]] Expected<void, E> {
  public:
    Expected() = default;
    Expected(E problem) : problem_(std::move(problem)) {}

    bool has_value() const { return !problem_; }
    explicit operator bool() const { return has_value(); }

    const E& error() const { return *problem_; }

  private:
    std::optional<E> problem_;
};

using Status = Expected<void>;

}  // namespace mirulane
