#pragma once

#include <string>
#include <utility>

namespace platform {

// Outcome of one platform operation (a file move, a database insert). A failure
// says what was attempted and why it failed, ready for a log line or a message box.
class Status {
 public:
  static Status success() { return Status{}; }
  // attempt: what was tried ("open the database \"x.mdb\""); cause: why it failed.
  static Status failure(std::string attempt, std::string cause) { return Status{std::move(attempt), std::move(cause)}; }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const std::string& attempt() const { return attempt_; }
  const std::string& cause() const { return cause_; }
  // "Cannot <attempt>: <cause>"; empty on success.
  std::string reason() const { return ok_ ? std::string() : "Cannot " + attempt_ + ": " + cause_; }

 private:
  Status() = default;
  Status(std::string attempt, std::string cause) : ok_(false), attempt_(std::move(attempt)), cause_(std::move(cause)) {}

  bool ok_ = true;
  std::string attempt_;
  std::string cause_;
};

// A value that an operation hands over when it succeeds, such as an open connection.
template <typename T>
struct Result {
  Status status = Status::success();
  T value{};
};

}  // namespace platform
