#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include <tagcomponent/FixedTextField.h>

namespace tagcomponent {

// The ID3v1 tag one control holds: the last 128 bytes of an MP3 file, seven fields
// packed in file order without padding. Text fields hold one character per byte.
struct ID3tagRecord {
  static constexpr std::size_t kFileSize = 128;
  using FileBytes = std::array<std::uint8_t, kFileSize>;

  FixedTextField<3> Marker;
  FixedTextField<30> Title;
  FixedTextField<30> Artist;
  FixedTextField<30> Album;
  FixedTextField<4> Year;
  FixedTextField<30> Comment;
  std::uint8_t Genre = 255;

  // What a file without a tag (and a new control) shows: empty texts, the year
  // "19", no genre. The marker keeps what it holds.
  void setNoTagValues();

  static ID3tagRecord fromFileBytes(const FileBytes& bytes);
  // The same in place: every field takes its bytes.
  void readFileBytes(const FileBytes& bytes);
  FileBytes toFileBytes() const;

  friend bool operator==(const ID3tagRecord&, const ID3tagRecord&) = default;
};

// Whether three marker bytes read "TAG" in any letter case.
bool isTagMarker(const std::uint8_t* bytes);

}  // namespace tagcomponent
