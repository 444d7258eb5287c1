#pragma once

#include <string>
#include <utility>

namespace platform::database {

// Outcome of one database operation. A failure carries a sentence that says
// what was attempted and why it failed, ready for a log line or a message box.
class Status {
public:
    static Status success() { return Status{}; }
    static Status failure(std::string reason) { return Status{std::move(reason)}; }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& reason() const { return reason_; }

private:
    Status() = default;
    explicit Status(std::string reason) : ok_(false), reason_(std::move(reason)) {}

    bool ok_ = true;
    std::string reason_;
};

// A value that an operation hands over when it succeeds, such as an open connection.
template <typename T>
struct Result {
    Status status = Status::success();
    T value{};
};

}  // namespace platform::database
