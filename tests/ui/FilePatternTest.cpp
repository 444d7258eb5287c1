#include <gtest/gtest.h>

#include <platform/ui/FilePattern.h>

using platform::ui::FilePattern;

struct PatternCase {
  const char* pattern;
  const char* name;
  bool matches;
};

TEST(FilePattern, MatchesWholeNameWithoutRegardToCase) {
  const PatternCase cases[] = {
      {"*.mdb", "music.mdb", true},       {"*.mdb", "MUSIC.MDB", true},      {"*.mdb", "music.mdb.bak", false},
      {"*.mdb", "music.accdb", false},    {"*.mdb", "mdb", false},           {"*.mp3", "Track 01.Mp3", true},
      {"*.mp3", "song.mp3x", false},      {"*.mp3", "song.mp", false},       {"*.mp3", ".mp3", true},
      {"*.MP3", "ÄRGER.mp3", true},       {"song?.mp3", "song1.mp3", true},  {"song?.mp3", "song10.mp3", false},
      {"*a*b*c", "xaybzc", true},         {"*a*b*c", "xaybzcd", false},      {"[ab].mp3", "[ab].mp3", true},
      {"[ab].mp3", "a.mp3", false},       {"*.mp3;*.wav", "take.WAV", true}, {"*.mp3; *.wav", "take.wav", true},
      {"*.mp3;*.wav", "take.ogg", false}, {"*.*", "README", true},           {"", "anything.at.all", true}};
  for (const PatternCase& c : cases)
    EXPECT_EQ(FilePattern(QString::fromUtf8(c.pattern)).matches(QString::fromUtf8(c.name)), c.matches)
        << c.pattern << " against " << c.name;
}
