#pragma once
// A tag reader of the tests' own: reads the 128-byte ID3v1 tail of the file
// itself, so these tests do not depend on the tag component.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include <TagReader.h>
#include <filesystem/FileDescriptor.h>
#include <text/Utf.h>

namespace proof {

class Id3TailReader : public mervalis::TagReader {
 public:
  mervalis::Status load(const std::u16string& path) override {
    title_.clear(), artist_.clear(), album_.clear();
    const std::string name = platform::text::utf8FromUtf16(path);
    platform::filesystem::FileDescriptor file{::open(name.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!file.valid())
      return mervalis::Status::failure("load the tag of \"" + name + "\"", std::generic_category().message(errno));
    struct stat info {};
    char tail[128];
    if (::fstat(file.get(), &info) != 0 || info.st_size < 128 ||
        ::pread(file.get(), tail, sizeof tail, info.st_size - 128) != 128 || std::string(tail, 3) != "TAG")
      return mervalis::Status::success();  // no tag: every field is empty
    title_ = field(tail + 3), artist_ = field(tail + 33), album_ = field(tail + 63);
    return mervalis::Status::success();
  }
  mervalis::Status read(mervalis::TagField which, std::u16string& value) override {
    value = which == mervalis::TagField::Title ? title_ : which == mervalis::TagField::Album ? album_ : artist_;
    return mervalis::Status::success();
  }

  // One byte, one character, as Latin-1 maps them; trailing spaces and NULs go.
  static std::u16string field(const char* slot) {
    std::size_t size = 30;
    while (size > 0 && (slot[size - 1] == ' ' || slot[size - 1] == '\0')) --size;
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char16_t>(static_cast<unsigned char>(slot[i]));
    return text;
  }

 private:
  std::u16string title_, artist_, album_;
};

}  // namespace proof
