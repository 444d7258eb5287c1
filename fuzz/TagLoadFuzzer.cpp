// The tag load and save from arbitrary file contents and lengths. The bytes are one
// file served from memory through the file-call seam, so no input touches the disk;
// each is tried as a whole file and as the end of one larger than 4 GiB.
// Beyond not crashing: the load shows exactly the tag the bytes hold, the save keeps
// every byte in front of the tag, a second save replaces rather than appends, and
// the saved tag loads back as the record that was saved.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <tagcomponent/Lyrebox.h>

#include <fuzz/FuzzCheck.h>
#include <fuzz/MemoryFile.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using fuzz::MemoryFile;
using tagcomponent::ID3tagRecord;
using tagcomponent::Lyrebox;

bool endsInTag(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= ID3tagRecord::kFileSize &&
         tagcomponent::isTagMarker(&bytes[bytes.size() - ID3tagRecord::kFileSize]);
}

ID3tagRecord::FileBytes lastRecordBytes(const std::vector<std::uint8_t>& bytes) {
  ID3tagRecord::FileBytes tail{};
  std::copy_n(bytes.end() - ID3tagRecord::kFileSize, ID3tagRecord::kFileSize, tail.begin());
  return tail;
}

// Every get answers; only the year may overflow.
void readEveryProperty(Lyrebox& box) {
  std::u16string text;
  FUZZ_CHECK(box.get_MP3_FileName(&text) == platform::automation::S_OK && text == fuzz::kPath16);
  FUZZ_CHECK(box.get_ID3tag_Title(&text) == platform::automation::S_OK && text.size() <= 30);
  FUZZ_CHECK(box.get_ID3tag_Artist(&text) == platform::automation::S_OK && text.size() <= 30);
  FUZZ_CHECK(box.get_ID3tag_Album(&text) == platform::automation::S_OK && text.size() <= 30);
  FUZZ_CHECK(box.get_ID3tag_Comment(&text) == platform::automation::S_OK && text.size() <= 30);
  std::int16_t year = 0;
  const auto yearResult = box.get_ID3tag_Year(&year);
  FUZZ_CHECK(yearResult == platform::automation::S_OK || yearResult == platform::automation::DISP_E_OVERFLOW);
  std::uint8_t genre = 0;
  FUZZ_CHECK(box.get_ID3tag_Genre(&genre) == platform::automation::S_OK);
}

std::int32_t save(Lyrebox& box) {
  std::int32_t result = -1;
  FUZZ_CHECK(box.SaveTag(&result) == platform::automation::S_OK);
  return result;
}

// Loads and saves the file whose held part is `original`.
void loadAndSave(const std::vector<std::uint8_t>& original, off_t skipped) {
  const bool tagged = endsInTag(original);
  const std::size_t audioLength = tagged ? original.size() - ID3tagRecord::kFileSize : original.size();

  MemoryFile file(original, skipped);
  const auto control = platform::automation::makeObject<Lyrebox>(file);
  Lyrebox& box = *control;
  FUZZ_CHECK(box.put_MP3_FileName(fuzz::kPath16) == platform::automation::S_OK);
  if (tagged) FUZZ_CHECK(box.record() == ID3tagRecord::fromFileBytes(lastRecordBytes(original)));
  readEveryProperty(box);

  FUZZ_CHECK(save(box) == tagcomponent::save_result::kSaved);
  const std::vector<std::uint8_t> saved = file.bytes();
  FUZZ_CHECK(saved.size() == audioLength + ID3tagRecord::kFileSize);
  FUZZ_CHECK(std::equal(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(audioLength), saved.begin()));
  FUZZ_CHECK(endsInTag(saved));
  // A loaded tag is saved byte for byte, whatever its marker's letter case.
  const auto afterMarker = static_cast<std::ptrdiff_t>(ID3tagRecord::kFileSize - 3);
  if (tagged) FUZZ_CHECK(std::equal(original.end() - afterMarker, original.end(), saved.end() - afterMarker));

  FUZZ_CHECK(save(box) == tagcomponent::save_result::kSaved);
  FUZZ_CHECK(file.bytes() == saved);

  const auto reloaded = platform::automation::makeObject<Lyrebox>(file);
  FUZZ_CHECK(reloaded->put_MP3_FileName(fuzz::kPath16) == platform::automation::S_OK);
  FUZZ_CHECK(reloaded->record() == box.record());
  FUZZ_CHECK(file.openCount() == 0 && !file.skippedBytesWritten());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> original(data, data + size);
  loadAndSave(original, 0);
  // The same bytes at the end of a file beyond 4 GiB: offsets must not wrap.
  loadAndSave(original, (off_t{1} << 32) + 4097);
  return 0;
}
