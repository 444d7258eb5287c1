#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <platform/automation/ComObject.h>
#include <tagcomponent/Lyrebox.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <tests/support/TagTestSupport.h>

namespace {

using tagcomponent::Lyrebox;
using namespace tests::support;
namespace fs = std::filesystem;

const TagFields kSong{
    .title = "Song", .artist = "Band", .album = "Record", .year = "1999", .comment = "Nice", .genre = 17};

std::u16string title(Lyrebox& control) {
  std::u16string text;
  control.get_ID3tag_Title(&text);
  return text;
}

std::int32_t save(Lyrebox& control) {
  std::int32_t result = -1;
  EXPECT_EQ(control.SaveTag(&result), platform::automation::S_OK);
  return result;
}

Bytes noTagRecordBytes() {
  return tagBytes(
      {.marker = "TAG", .title = "", .artist = "", .album = "", .year = "19", .comment = "", .genre = 255, .pad = ' '});
}

class TagFile : public ::testing::Test {
 protected:
  fs::path file(const std::string& name, const Bytes& bytes) {
    const fs::path path = folder / name;
    writeBytes(path, bytes);
    return path;
  }
  TemporaryFolder folder;
  const platform::automation::ComPtr<Lyrebox> object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
};

TEST_F(TagFile, LoadAndSaveDecideByTheMarkerAndTheLength) {
  struct Case {
    const char* what;
    Bytes content;
    bool tagged;
    std::size_t lengthAfterSave;
  };
  const Case cases[] = {
      {"a 128-byte file that is a tag", tagBytes(kSong), true, 128},
      {"a 128-byte file without a tag", filler(128), false, 256},
      {"a 100-byte file", filler(100), false, 228},
      {"an empty file", {}, false, 128},
      {"a tag marked in lower case", concat(filler(500), tagBytes({.marker = "tag", .title = "Song"})), true, 628},
      {"a tag marked in mixed case", concat(filler(500), tagBytes({.marker = "tAg", .title = "Song"})), true, 628},
      {"an ID3v2-like start only", concat(tagBytes(kSong), filler(200)), false, 456},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Each load follows one of a tagged file, so stale fields would show.
    control.put_MP3_FileName(u16(file("previous.mp3", concat(filler(300), tagBytes({.title = "Previous"})))));
    const fs::path path = file("case.mp3", c.content);
    control.put_MP3_FileName(u16(path));
    std::u16string name;
    control.get_MP3_FileName(&name);
    EXPECT_EQ(name, u16(path));
    EXPECT_EQ(title(control), c.tagged ? u"Song" : u"");
    if (!c.tagged) {
      const auto loaded = control.record().toFileBytes();
      const Bytes noTag = noTagRecordBytes();
      EXPECT_EQ(Bytes(loaded.begin() + 3, loaded.end()), Bytes(noTag.begin() + 3, noTag.end()));
    }

    EXPECT_EQ(save(control), 0);
    const Bytes after = readBytes(path);
    ASSERT_EQ(after.size(), c.lengthAfterSave);
    EXPECT_EQ(Bytes(after.end() - 128, after.end() - 125), (Bytes{'T', 'A', 'G'}));
    const std::size_t kept = c.tagged ? c.content.size() - 128 : c.content.size();
    EXPECT_EQ(Bytes(after.begin(), after.begin() + kept), Bytes(c.content.begin(), c.content.begin() + kept));
  }
}

TEST_F(TagFile, AFileWithoutATagLoadsTheNoTagValuesAndSavesThem) {
  const fs::path path = file("plain.mp3", filler(1000));
  control.put_ID3tag_Title(u"Left over");
  control.put_MP3_FileName(u16(path));
  EXPECT_EQ(save(control), 0);
  const Bytes after = readBytes(path);
  ASSERT_EQ(after.size(), 1128u);
  EXPECT_EQ(lastBytes(after, 128), noTagRecordBytes());
}

TEST_F(TagFile, WithoutATagTheMarkerShowsTheBytesReadOrKeepsWhatItHeld) {
  control.put_MP3_FileName(u16(file("id3.mp3", concat(filler(50), tagBytes({.marker = "ID3", .title = "X"})))));
  EXPECT_EQ(control.record().Marker.text(), u"ID3");
  EXPECT_EQ(title(control), u"");
  control.put_MP3_FileName(u16(file("short.mp3", filler(10))));
  EXPECT_EQ(control.record().Marker.text(), u"ID3");
}

TEST_F(TagFile, SavingTwiceAppendsOnceThenReplaces) {
  const fs::path path = file("untagged.mp3", filler(4000));
  control.put_MP3_FileName(u16(path));
  control.put_ID3tag_Title(u"First");
  EXPECT_EQ(save(control), 0);
  EXPECT_EQ(fs::file_size(path), 4128u);
  control.put_ID3tag_Title(u"Second");
  EXPECT_EQ(save(control), 0);
  EXPECT_EQ(fs::file_size(path), 4128u);
  const auto readerObject = platform::automation::makeObject<Lyrebox>();
  Lyrebox& reader = *readerObject;
  reader.put_MP3_FileName(u16(path));
  EXPECT_EQ(title(reader), u"Second");
}

TEST_F(TagFile, FieldsNotSetAreWrittenBackByteForByteNulsIncluded) {
  const Bytes original = tagBytes(
      {.title = "Old", .artist = "Ar", .album = "Al", .year = "19\0\0", .comment = "C", .genre = 3, .pad = '\0'});
  const fs::path path = file("nul.mp3", concat(filler(64), original));
  control.put_MP3_FileName(u16(path));
  control.put_ID3tag_Title(u"New");
  EXPECT_EQ(save(control), 0);
  Bytes expected = original;
  const std::string newTitle = "New" + std::string(27, ' ');
  std::copy(newTitle.begin(), newTitle.end(), expected.begin() + 3);
  EXPECT_EQ(lastBytes(readBytes(path), 128), expected);
}

TEST_F(TagFile, EveryByteValueSurvivesLoadAndSave) {
  for (int start : {0, 124, 248}) {
    Bytes tag = {'T', 'A', 'G'};
    for (int i = 0; i < 124; ++i) tag.push_back(static_cast<std::uint8_t>(start + i));
    tag.push_back(static_cast<std::uint8_t>(start + 7));
    const Bytes content = concat(filler(10), tag);
    const fs::path path = file("bytes.mp3", content);
    control.put_MP3_FileName(u16(path));
    EXPECT_EQ(save(control), 0);
    EXPECT_EQ(readBytes(path), content) << "bytes from " << start;
  }
}

TEST_F(TagFile, NamesThatAreNotVisibleOrdinaryFilesAreNotFoundAndNeverOpened) {
  const Bytes tagged = concat(filler(200), tagBytes({.title = "Hidden"}));
  writeBytes(folder / ".hidden.mp3", tagged);
  fs::create_directory(folder / "folder.mp3");
  ASSERT_EQ(mkfifo((folder / "pipe.mp3").c_str(), 0644), 0);
  fs::create_symlink(folder / "folder.mp3", folder / "link-to-folder.mp3");
  writeBytes(folder / "real.mp3", tagged);
  const std::u16string withNul = u16(folder / "real.mp3") + u'\0' + u".txt";

  for (const std::u16string& name : {u16(folder / ".hidden.mp3"), u16(folder / "folder.mp3"), u16(folder / "pipe.mp3"),
                                     u16(folder / "link-to-folder.mp3"), u16(folder / "missing.mp3"),
                                     u16(folder / "real.mp3" / "x"), withNul, std::u16string()}) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    control.put_MP3_FileName(u16(file("loaded.mp3", concat(filler(10), tagBytes(kSong)))));
    control.put_MP3_FileName(name);
    std::u16string stored = u"x";
    control.get_MP3_FileName(&stored);
    EXPECT_EQ(stored, u"");
    EXPECT_EQ(title(control), u"Song");  // the record is kept
    EXPECT_EQ(save(control), 53);
  }
  EXPECT_EQ(readBytes(folder / ".hidden.mp3"), tagged);
}

TEST_F(TagFile, NamesAreTakenAsGivenFollowingLinksAndTheCurrentFolder) {
  const fs::path path = file("real.mp3", concat(filler(20), tagBytes(kSong)));
  fs::create_symlink(path, folder / "link.mp3");
  control.put_MP3_FileName(u16(folder / "link.mp3"));
  EXPECT_EQ(title(control), u"Song");

  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  control.put_ID3tag_Title(u"Relative");
  control.put_MP3_FileName(u"real.mp3");
  const std::u16string titleRead = title(control);
  std::u16string stored;
  control.get_MP3_FileName(&stored);
  fs::current_path(previous);
  EXPECT_EQ(titleRead, u"Song");
  EXPECT_EQ(stored, u"real.mp3");
}

TEST_F(TagFile, ANonAsciiNameReachesItsFile) {
  const fs::path path = folder / fs::path(u8"Café – 🎵.mp3");
  writeBytes(path, concat(filler(20), tagBytes(kSong)));
  control.put_MP3_FileName(path.u16string());
  EXPECT_EQ(title(control), u"Song");
}

// Only the owner's write bit counts; the tests run as root, who could write anyway.
TEST_F(TagFile, AReadOnlyFileIsRefusedWith75AndNothingChanges) {
  for (mode_t mode : {0444, 0466, 0555}) {
    SCOPED_TRACE(mode);
    const Bytes content = concat(filler(300), tagBytes({.marker = "XYZ", .title = "Plain"}));
    const fs::path path = file("readonly.mp3", content);
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    control.put_MP3_FileName(u16(path));
    const auto recordBefore = control.record();
    EXPECT_EQ(save(control), 75);
    EXPECT_EQ(readBytes(path), content);
    EXPECT_EQ(control.record(), recordBefore);
    EXPECT_EQ(control.record().Marker.text(), u"XYZ");
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  }
}

TEST_F(TagFile, ClearingTheNameKeepsTheFieldsAndSaveThenFindsNothing) {
  EXPECT_EQ(save(control), 53);  // a fresh control
  control.put_MP3_FileName(u16(file("tagged.mp3", concat(filler(10), tagBytes(kSong)))));
  control.put_ID3tag_Album(u"Changed");
  control.put_MP3_FileName(u"");
  std::u16string album;
  control.get_ID3tag_Album(&album);
  EXPECT_EQ(album, u"Changed");
  EXPECT_EQ(save(control), 53);
}

TEST_F(TagFile, SaveFollowsTheFileAsItIsNowNotAsItWasLoaded) {
  const fs::path path = file("changing.mp3", filler(400));
  control.put_MP3_FileName(u16(path));
  writeBytes(path, concat(filler(400), tagBytes(kSong)));  // tagged by someone else meanwhile
  EXPECT_EQ(save(control), 0);
  EXPECT_EQ(fs::file_size(path), 528u);
}

TEST_F(TagFile, FilesOfTwoGibibytesAndMoreLoadAndSaveLikeAnyOther) {
  const fs::path path = folder / "huge.mp3";
  const off_t length = off_t{3} << 30;  // sparse: takes a few blocks on disk
  {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const Bytes tag = tagBytes(kSong);
    ASSERT_EQ(::pwrite(fd, tag.data(), tag.size(), length - 128), 128);
    ::close(fd);
  }
  control.put_MP3_FileName(u16(path));
  EXPECT_EQ(title(control), u"Song");
  control.put_ID3tag_Title(u"Big");
  EXPECT_EQ(save(control), 0);
  EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(length));
  const auto readerObject = platform::automation::makeObject<Lyrebox>();
  Lyrebox& reader = *readerObject;
  reader.put_MP3_FileName(u16(path));
  EXPECT_EQ(title(reader), u"Big");
}

}  // namespace
