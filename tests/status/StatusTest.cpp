#include <platform/status/Status.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::status::Status;

TEST(Status, ReadsAsOneSentenceForALogLineOrAMessage) {
  const struct {
    const char* what;
    Status status;
    bool ok;
    bool busy;
    std::string reason;
  } cases[] = {
      {"success", Status::success(), true, false, ""},
      {"attempt and cause", Status::failure("open the file \"a.mp3\"", "it is gone"), false, false,
       "Cannot open the file \"a.mp3\": it is gone"},
      {"one sentence", Status::failure("version block at byte 8: key has no terminating NUL"), false, false,
       "version block at byte 8: key has no terminating NUL"},
      {"one sentence within an attempt", Status::failure("not an ELF file").within("read \"x.ocx\""), false, false,
       "Cannot read \"x.ocx\": not an ELF file"},
      {"busy, within an attempt", Status::busyFailure("take the lock", "another program writes").within("add a row"),
       false, true, "Cannot add a row: another program writes"},
      {"success within an attempt", Status::success().within("add a row"), true, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.status.ok(), c.ok) << c.what;
    EXPECT_EQ(static_cast<bool>(c.status), c.ok) << c.what;
    EXPECT_EQ(c.status.busy(), c.busy) << c.what;
    EXPECT_EQ(c.status.reason(), c.reason) << c.what;
  }
}

}  // namespace
