#pragma once
// The raw baseline of tag reading: per file stat, open, read the last 128 bytes,
// close, and the three texts an import needs cut from the record by the
// component's rule (trailing spaces, then NULs, then spaces), with no conversion.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include <bench/tagread/TextChecksum.h>

namespace bench::tagread {

inline std::string_view trimmedField(const unsigned char* at, std::size_t width) {
  std::string_view text(reinterpret_cast<const char*>(at), width);
  for (const char trailing : {' ', '\0', ' '})
    while (!text.empty() && text.back() == trailing) text.remove_suffix(1);
  return text;
}

inline bool hasTagMarker(const unsigned char* tail) {
  return (tail[0] | 0x20) == 't' && (tail[1] | 0x20) == 'a' && (tail[2] | 0x20) == 'g';
}

// Title, album and artist of each file into the checksum; a file without a tag
// (or shorter than one) gives three empty texts, as the component shows it.
inline void rawTagTexts(const std::vector<std::string>& paths, TextChecksum& checksum) {
  unsigned char tail[128];
  for (const auto& path : paths) {
    std::string_view title, album, artist;
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
      if (const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0) {
        if (status.st_size >= 128 && ::pread(fd, tail, sizeof tail, status.st_size - 128) == 128 &&
            hasTagMarker(tail)) {
          title = trimmedField(tail + 3, 30);
          artist = trimmedField(tail + 33, 30);
          album = trimmedField(tail + 63, 30);
        }
        ::close(fd);
      }
    }
    checksum.add(title);
    checksum.add(album);
    checksum.add(artist);
  }
}

}  // namespace bench::tagread
