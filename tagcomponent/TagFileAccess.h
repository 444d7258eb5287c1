#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <tagcomponent/FileCalls.h>
#include <tagcomponent/ID3tagRecord.h>

namespace tagcomponent {

// Results of SaveTag: 0, or a file-error number in the classic numbering.
namespace save_result {
constexpr std::int32_t kSaved = 0;
constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kDeviceIoError = 57;
constexpr std::int32_t kDiskFull = 61;
constexpr std::int32_t kTooManyFiles = 67;
constexpr std::int32_t kPermissionDenied = 70;
constexpr std::int32_t kPathFileAccessError = 75;
constexpr std::int32_t kPathNotFound = 76;
}  // namespace save_result

// The classic file-error number of a failed system call's errno.
std::int32_t fileErrorNumber(int errorCode);

// What the existence test found out about a name.
struct TagFileLookup {
  bool found = false;            // an ordinary, visible file
  std::int32_t searchError = 0;  // non-zero when the search itself failed
  std::string path;              // the name as the file system takes it
  std::int64_t length = 0;
  bool readOnly = false;
};

// How the tag reaches its file on this platform. Every decision about names,
// marks, lengths and errors lives here; the control only sequences the steps.
class TagFileAccess {
 public:
  explicit TagFileAccess(const FileCalls& calls = FileCalls::posix()) : calls_(&calls) {}

  TagFileLookup lookUp(std::u16string_view name) const;

  // The last 128 bytes, or nothing when the file is shorter or reading fails.
  std::optional<ID3tagRecord::FileBytes> readLast128(const TagFileLookup& file) const;

  // Whether the file ends in a tag now; 0 or a file-error number.
  std::int32_t probeForTag(const TagFileLookup& file, bool& hasTag) const;

  // Writes the record over the tag (replace) or after the end; 0 or a file-error number.
  std::int32_t writeRecord(const TagFileLookup& file, bool replace, const ID3tagRecord::FileBytes& bytes) const;

 private:
  const FileCalls* calls_;
};

}  // namespace tagcomponent
