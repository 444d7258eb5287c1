#pragma once
// A tag reader of the tests' own that judges a file by the control's own rules
// (its record, code page and trimming), without loading the component itself.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include <administrator/importrun/TagReader.h>
#include <platform/filesystem/FileDescriptor.h>
#include <tagcomponent/ID3tagRecord.h>
#include <tagcomponent/TagFieldText.h>
#include <platform/text/Utf.h>

namespace proof {

class Id3TailReader : public mervalis::TagReader {
 public:
  mervalis::Status load(const std::u16string& path) override {
    record_.setNoTagValues();
    const std::string name = platform::text::utf8FromUtf16(path);
    platform::filesystem::FileDescriptor file{::open(name.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!file.valid())
      return mervalis::Status::failure("load the tag of \"" + name + "\"", std::generic_category().message(errno));
    struct stat info {};
    lyrebox::ID3tagRecord::FileBytes tail{};
    const auto size = static_cast<off_t>(tail.size());
    if (::fstat(file.get(), &info) != 0 || info.st_size < size ||
        ::pread(file.get(), tail.data(), tail.size(), info.st_size - size) != size ||
        !lyrebox::isTagMarker(tail.data()))
      return mervalis::Status::success();  // no tag: every field is empty
    record_ = lyrebox::ID3tagRecord::fromFileBytes(tail);
    return mervalis::Status::success();
  }
  mervalis::Status read(mervalis::TagField which, std::u16string& value) override {
    const auto& field = which == mervalis::TagField::Title   ? record_.Title
                        : which == mervalis::TagField::Album ? record_.Album
                                                             : record_.Artist;
    value = lyrebox::trimmedFieldText(field.text());
    return mervalis::Status::success();
  }

  // The text the control returns for a 30-byte field of these bytes.
  static std::u16string field(const std::string& bytes) {
    lyrebox::ID3tagRecord::FileBytes tail{};
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), 30), tail.begin() + 3);
    return lyrebox::trimmedFieldText(lyrebox::ID3tagRecord::fromFileBytes(tail).Title.text());
  }

 private:
  lyrebox::ID3tagRecord record_;
};

}  // namespace proof
