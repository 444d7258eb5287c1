#pragma once
#include <string>

#include <platform/filesystem/FileDescriptor.h>
#include <platform/status/Status.h>

namespace administrator::runrecord {

// One record on disk, written only at its end, a whole line per write. Written
// without a flush per line: a kill leaves what was written in the kernel's cache;
// the record is flushed at the end of a run and when one is stopped.
class RecordFile {
 public:
  // A new record; fails when the name is taken, and then says so in `taken`.
  platform::status::Status create(const std::string& path, bool& taken);
  // An existing record, to add to it. A line a killed writer left torn is cut off.
  platform::status::Status openToAdd(const std::string& path);
  // Whether the open record holds no whole line.
  bool empty() const { return empty_; }
  platform::status::Status append(const std::string& lines);
  platform::status::Status flush();
  void close() { file_ = {}; }

 private:
  platform::status::Status cutTornLine();
  platform::status::Status failure(const std::string& attempt, int error) const;

  platform::filesystem::FileDescriptor file_;
  std::string path_;
  bool empty_ = true;
};

// The whole text of a file.
platform::status::Status readRecordText(const std::string& path, std::string& text);
// The first `size` bytes and the last line of a file.
platform::status::Status readRecordEnds(const std::string& path, std::size_t size, std::string& head,
                                        std::string& lastLine);

}  // namespace administrator::runrecord
