#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform::filesystem {

// Outcome of one file-system operation. A failure carries a sentence that says
// what was attempted and why the system refused, ready for a log line.
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

// Names of the entries of one folder, bare (without the folder), sorted bytewise.
struct NameList {
    Status status = Status::success();
    std::vector<std::string> names;
};

}  // namespace platform::filesystem
