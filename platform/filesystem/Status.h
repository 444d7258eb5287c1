#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform::filesystem {

// Outcome of one file-system operation. A failure says what was attempted and
// why the system refused, ready for a log line.
class Status {
public:
    static Status success() { return Status{}; }
    // attempt: what was tried ("open the database \"x.mdb\""); cause: why it failed.
    static Status failure(std::string attempt, std::string cause)
    {
        return Status{std::move(attempt), std::move(cause)};
    }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& attempt() const { return attempt_; }
    const std::string& cause() const { return cause_; }
    // "Cannot <attempt>: <cause>"; empty on success.
    std::string reason() const { return ok_ ? std::string() : "Cannot " + attempt_ + ": " + cause_; }

private:
    Status() = default;
    Status(std::string attempt, std::string cause)
        : ok_(false), attempt_(std::move(attempt)), cause_(std::move(cause)) {}

    bool ok_ = true;
    std::string attempt_;
    std::string cause_;
};

// Names of the entries of one folder, bare (without the folder), sorted bytewise.
struct NameList {
    Status status = Status::success();
    std::vector<std::string> names;
};

}  // namespace platform::filesystem
