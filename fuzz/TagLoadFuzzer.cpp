// The tag load and save from arbitrary file contents and lengths. The bytes are one
// file served from memory through the file-call seam, so no input touches the disk.
// Beyond not crashing: the load shows exactly the tag the bytes hold, the save keeps
// every byte in front of the tag, a second save replaces rather than appends, and
// the saved tag loads back as the record that was saved.
#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <tagcomponent/Lyrebox.h>

namespace {

using lyrebox::ID3tagRecord;
using lyrebox::Lyrebox;

constexpr char kPath[] = "/music/track.mp3";
constexpr int kDescriptor = 3;

// One ordinary, writable file held in memory; any other name does not exist.
class MemoryFile : public lyrebox::FileCalls {
 public:
  explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  int openCount() const { return openCount_; }

  int stat(const char* path, struct ::stat* status) const override {
    if (std::strcmp(path, kPath) != 0) return fail(ENOENT);
    return fstat(kDescriptor, status);
  }
  int fstat(int fd, struct ::stat* status) const override {
    if (fd != kDescriptor) return fail(EBADF);
    *status = {};
    status->st_mode = S_IFREG | 0644;
    status->st_size = static_cast<off_t>(bytes_.size());
    return 0;
  }
  int open(const char* path, int) const override {
    if (std::strcmp(path, kPath) != 0) return fail(ENOENT);
    ++openCount_;
    return kDescriptor;
  }
  ssize_t pread(int fd, void* buffer, size_t count, off_t offset) const override {
    if (fd != kDescriptor || offset < 0) return fail(EINVAL);
    const auto from = std::min(static_cast<std::size_t>(offset), bytes_.size());
    const auto n = std::min(count, bytes_.size() - from);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(from), n, static_cast<std::uint8_t*>(buffer));
    return static_cast<ssize_t>(n);
  }
  ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) const override {
    if (fd != kDescriptor || offset < 0) return fail(EINVAL);
    const auto at = static_cast<std::size_t>(offset);
    if (bytes_.size() < at + count) bytes_.resize(at + count);
    std::copy_n(static_cast<const std::uint8_t*>(buffer), count, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
    return static_cast<ssize_t>(count);
  }
  int ftruncate(int fd, off_t length) const override {
    if (fd != kDescriptor || length < 0) return fail(EINVAL);
    bytes_.resize(static_cast<std::size_t>(length));
    return 0;
  }
  int close(int fd) const override {
    if (fd != kDescriptor || openCount_ == 0) return fail(EBADF);
    --openCount_;
    return 0;
  }

 private:
  static int fail(int error) {
    errno = error;
    return -1;
  }

  mutable std::vector<std::uint8_t> bytes_;
  mutable int openCount_ = 0;
};

void check(bool condition) {
  if (!condition) std::abort();
}

bool endsInTag(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= ID3tagRecord::kFileSize &&
         lyrebox::isTagMarker(&bytes[bytes.size() - ID3tagRecord::kFileSize]);
}

ID3tagRecord::FileBytes lastRecordBytes(const std::vector<std::uint8_t>& bytes) {
  ID3tagRecord::FileBytes tail{};
  std::copy_n(bytes.end() - ID3tagRecord::kFileSize, ID3tagRecord::kFileSize, tail.begin());
  return tail;
}

// Every get answers; only the year may overflow.
void readEveryProperty(Lyrebox& box) {
  std::u16string text;
  check(box.get_MP3_FileName(&text) == automation::S_OK && text == u"/music/track.mp3");
  check(box.get_ID3tag_Title(&text) == automation::S_OK && text.size() <= 30);
  check(box.get_ID3tag_Artist(&text) == automation::S_OK && text.size() <= 30);
  check(box.get_ID3tag_Album(&text) == automation::S_OK && text.size() <= 30);
  check(box.get_ID3tag_Comment(&text) == automation::S_OK && text.size() <= 30);
  std::int16_t year = 0;
  const auto yearResult = box.get_ID3tag_Year(&year);
  check(yearResult == automation::S_OK || yearResult == automation::DISP_E_OVERFLOW);
  std::uint8_t genre = 0;
  check(box.get_ID3tag_Genre(&genre) == automation::S_OK);
}

std::int32_t save(Lyrebox& box) {
  std::int32_t result = -1;
  check(box.SaveTag(&result) == automation::S_OK);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> original(data, data + size);
  const bool tagged = endsInTag(original);
  const std::size_t audioLength = tagged ? size - ID3tagRecord::kFileSize : size;

  MemoryFile file(original);
  Lyrebox box(file);
  check(box.put_MP3_FileName(u"/music/track.mp3") == automation::S_OK);
  if (tagged) check(box.record() == ID3tagRecord::fromFileBytes(lastRecordBytes(original)));
  readEveryProperty(box);

  check(save(box) == lyrebox::save_result::kSaved);
  const std::vector<std::uint8_t> saved = file.bytes();
  check(saved.size() == audioLength + ID3tagRecord::kFileSize);
  check(std::equal(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(audioLength), saved.begin()));
  check(endsInTag(saved));
  // A loaded tag is saved byte for byte, whatever its marker's letter case.
  const auto afterMarker = static_cast<std::ptrdiff_t>(ID3tagRecord::kFileSize - 3);
  if (tagged) check(std::equal(original.end() - afterMarker, original.end(), saved.end() - afterMarker));

  check(save(box) == lyrebox::save_result::kSaved);
  check(file.bytes() == saved);

  Lyrebox reloaded(file);
  check(reloaded.put_MP3_FileName(u"/music/track.mp3") == automation::S_OK);
  check(reloaded.record() == box.record());
  check(file.openCount() == 0);
  return 0;
}
