#pragma once
// A file opened for reading at offsets; closed when the object goes.
#include <filesystem>

#include <platform/status/Status.h>

#include <platform/resources/ByteSource.h>

namespace platform::resources {

class FileByteSource : public ByteSource {
 public:
  // A failure names the file and says why (the system's message).
  static status::Result<FileByteSource> open(const std::filesystem::path& path);

  FileByteSource(FileByteSource&& other) noexcept;
  FileByteSource& operator=(FileByteSource&&) = delete;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;
  ~FileByteSource() override;

  std::uint64_t size() const override { return size_; }
  bool read(std::uint64_t offset, std::span<std::uint8_t> into) const override;

 private:
  // No file, reading nothing: only what a failed open holds.
  friend struct status::Result<FileByteSource>;
  FileByteSource() = default;
  FileByteSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}

  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace platform::resources
