#pragma once
#include <string>
#include <utility>

namespace mervalis {

// Outcome of an operation that can fail for an expected reason; the reason is a
// sentence a person can read.
class Status {
 public:
  static Status success() { return Status(); }
  static Status failure(std::string reason) { return Status(std::move(reason)); }
  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const std::string& reason() const { return reason_; }

 private:
  Status() = default;
  explicit Status(std::string reason) : ok_(false), reason_(std::move(reason)) {}
  bool ok_ = true;
  std::string reason_;
};

}  // namespace mervalis
