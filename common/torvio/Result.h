// How the model, project and scripting layers report an operation that can
// fail: a Result<T> holds either the value or the reason it failed, one
// English sentence (or several lines) for the user. Status is a Result
// without a value. C++20 has no std::expected; this is the part of it these
// layers need:
//   torvio::Result<double> r = Compute();
//   if (!r)
//     return torvio::Failure{"R: " + r.error()};
//   Use(*r);
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace torvio {

// The reason an operation failed; converts to any Result.
struct Failure {
  std::string reason;
};

template <class T>
class [[nodiscard]] Result {
public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // The value; only when ok().
  T &value() & { return *std::get_if<0>(&state_); }
  const T &value() const & { return *std::get_if<0>(&state_); }
  T &&value() && { return std::move(*std::get_if<0>(&state_)); }
  T &operator*() & { return value(); }
  const T &operator*() const & { return value(); }
  T *operator->() { return &value(); }
  const T *operator->() const { return &value(); }

  // The reason; empty when ok().
  const std::string &error() const {
    static const std::string none;
    const Failure *f = std::get_if<1>(&state_);
    return f ? f->reason : none;
  }

private:
  std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
  Result() = default;
  Result(Failure failure) : error_(std::move(failure.reason)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string &error() const { return error_; }

private:
  std::string error_;
  bool failed_ = false;
};

// Success or the reason of a failure, for operations that return nothing.
using Status = Result<void>;

} // namespace torvio
