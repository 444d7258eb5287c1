#pragma once

#include <string>
#include <utility>

namespace platform::status {

// Outcome of one platform operation (a file move, a database insert). A failure
// says what was attempted and why it failed, ready for a log line or a message box.
// Ignoring one is a compile error unless the caller says why with (void).
class [[nodiscard]] Status {
 public:
  static Status success() { return Status{}; }
  // attempt: what was tried ("open the database \"x.mdb\""); cause: why it failed.
  static Status failure(std::string attempt, std::string cause) { return Status{std::move(attempt), std::move(cause)}; }
  // A failure told in one sentence of its own, read as it is (a parser says where
  // and what is wrong; there is no attempt to name).
  static Status failure(std::string message) { return Status{std::string(), std::move(message)}; }
  // A failure because another program holds a lock the attempt needed: the same
  // attempt would wait again, so a caller stops instead of retrying.
  static Status busyFailure(std::string attempt, std::string cause) {
    Status status{std::move(attempt), std::move(cause)};
    status.busy_ = true;
    return status;
  }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const std::string& attempt() const { return attempt_; }
  const std::string& cause() const { return cause_; }
  bool busy() const { return busy_; }
  // The same failure told as part of a larger attempt; it stays busy if it was.
  Status within(std::string attempt) const {
    Status status = *this;
    if (!ok_) status.attempt_ = std::move(attempt);
    return status;
  }
  // "Cannot <attempt>: <cause>", or the one sentence; empty on success.
  std::string reason() const {
    if (ok_) return std::string();
    return attempt_.empty() ? cause_ : "Cannot " + attempt_ + ": " + cause_;
  }

 private:
  Status() = default;
  Status(std::string attempt, std::string cause) : ok_(false), attempt_(std::move(attempt)), cause_(std::move(cause)) {}

  bool ok_ = true;
  bool busy_ = false;
  std::string attempt_;
  std::string cause_;
};

// A value that an operation hands over when it succeeds, such as an open connection
// or a parsed block; on failure `value` is T's empty state.
template <typename T>
struct [[nodiscard]] Result {
  Status status = Status::success();
  T value{};
};

}  // namespace platform::status
