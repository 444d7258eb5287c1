#pragma once
// The outcome of an operation whose failure is expected now and then (a file
// that is missing, bytes that do not parse): a value or a message for people.
#include <optional>
#include <string>
#include <utility>

namespace resources {

template <class T>
class Result {
 public:
  static Result success(T value) { return Result(std::move(value), {}); }
  static Result failure(std::string error) { return Result(std::nullopt, std::move(error)); }

  explicit operator bool() const { return value_.has_value(); }
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  const std::string& error() const { return error_; }

 private:
  Result(std::optional<T> value, std::string error) : value_(std::move(value)), error_(std::move(error)) {}

  std::optional<T> value_;
  std::string error_;
};

}  // namespace resources
