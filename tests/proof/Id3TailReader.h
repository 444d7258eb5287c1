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

namespace tests::proof {

class Id3TailReader : public administrator::importrun::TagReader {
 public:
  platform::status::Status load(const std::u16string& path) override {
    record_.setNoTagValues();
    const std::string name = platform::text::utf8FromUtf16(path);
    platform::filesystem::FileDescriptor file{::open(name.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!file.valid())
      return platform::status::Status::failure("load the tag of \"" + name + "\"",
                                               std::generic_category().message(errno));
    struct stat info {};
    ::tagcomponent::ID3tagRecord::FileBytes tail{};
    const auto size = static_cast<off_t>(tail.size());
    if (::fstat(file.get(), &info) != 0 || info.st_size < size ||
        ::pread(file.get(), tail.data(), tail.size(), info.st_size - size) != size ||
        !::tagcomponent::isTagMarker(tail.data()))
      return platform::status::Status::success();  // no tag: every field is empty
    record_ = ::tagcomponent::ID3tagRecord::fromFileBytes(tail);
    return platform::status::Status::success();
  }
  platform::status::Status read(administrator::importrun::TagField which, std::u16string& value) override {
    const auto& field = which == administrator::importrun::TagField::Title   ? record_.Title
                        : which == administrator::importrun::TagField::Album ? record_.Album
                                                                             : record_.Artist;
    value = ::tagcomponent::trimmedFieldText(field.text());
    return platform::status::Status::success();
  }

  // The text the control returns for a 30-byte field of these bytes.
  static std::u16string field(const std::string& bytes) {
    ::tagcomponent::ID3tagRecord::FileBytes tail{};
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), 30), tail.begin() + 3);
    return ::tagcomponent::trimmedFieldText(::tagcomponent::ID3tagRecord::fromFileBytes(tail).Title.text());
  }

 private:
  ::tagcomponent::ID3tagRecord record_;
};

}  // namespace tests::proof
