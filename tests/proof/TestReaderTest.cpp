// The proofs judge files with a reader of their own; it must read a tag exactly as
// the control does, or a proof could pass for the wrong reason.
#include <gtest/gtest.h>

#include <platform/automation/ComObject.h>
#include <platform/automation/LibraryCounter.h>
#include <tagcomponent/Lyrebox.h>

#include <tests/proof/Collection.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace tests::proof {
namespace {

struct Fields {
  std::u16string title, album, artist;
  bool operator==(const Fields&) const = default;
};

Fields readByControl(const std::string& path) {
  const auto control = platform::automation::makeObject<::tagcomponent::Lyrebox>();
  control->put_MP3_FileName(platform::text::utf16FromUtf8(path));
  Fields fields;
  control->get_ID3tag_Title(&fields.title);
  control->get_ID3tag_Album(&fields.album);
  control->get_ID3tag_Artist(&fields.artist);
  return fields;
}

Fields readByTestReader(const std::string& path) {
  Id3TailReader reader;
  Fields fields;
  EXPECT_TRUE(reader.load(platform::text::utf16FromUtf8(path)));
  EXPECT_TRUE(reader.read(administrator::importrun::TagField::Title, fields.title));
  EXPECT_TRUE(reader.read(administrator::importrun::TagField::Album, fields.album));
  EXPECT_TRUE(reader.read(administrator::importrun::TagField::Artist, fields.artist));
  return fields;
}

TEST(TestReader, ReadsEveryTailAsTheControlDoes) {
  struct Case {
    const char* what;
    std::string tail;
  } cases[] = {
      {"plain", tagTail({"Song", "Artist", "Album"})},
      {"marker in small letters", "tag" + tagTail({"Song", "Artist", "Album"}).substr(3)},
      {"Windows-1252 bytes", tagTail({"\x80 \x9F \xE9", "\x8D", "\xFF"})},
      {"a space before a NUL before a space", tagTail({std::string("A \0 ", 4), "B  ", std::string("\0\0C", 3)})},
      {"no marker", "TAX" + tagTail({"Song", "Artist", "Album"}).substr(3)},
      {"shorter than a tag", "TAG Song"},
  };
  support::TemporaryFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = folder / "file.mp3";
    support::writeFile(path, std::string(300, '\x55') + c.tail);
    EXPECT_EQ(readByTestReader(path), readByControl(path));
  }
}

}  // namespace
}  // namespace tests::proof
