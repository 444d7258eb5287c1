#pragma once
// A file opened for reading at offsets; closed when the object goes.
#include <filesystem>

#include "ByteSource.h"
#include "Result.h"

namespace resources {

class FileByteSource : public ByteSource {
 public:
  // A failure names the file and says why (the system's message).
  static Result<FileByteSource> open(const std::filesystem::path& path);

  FileByteSource(FileByteSource&& other) noexcept;
  FileByteSource& operator=(FileByteSource&&) = delete;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;
  ~FileByteSource() override;

  std::uint64_t size() const override { return size_; }
  bool read(std::uint64_t offset, std::span<std::uint8_t> into) const override;

 private:
  FileByteSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}

  int fd_;
  std::uint64_t size_;
};

}  // namespace resources
