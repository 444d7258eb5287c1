#include <gtest/gtest.h>

#include "ui/FilePattern.h"

using platform::ui::FilePattern;

struct PatternCase {
  const char* pattern;
  const char* name;
  bool matches;
};

class FilePatternTable : public testing::TestWithParam<PatternCase> {};

TEST_P(FilePatternTable, MatchesWholeNameWithoutRegardToCase) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(FilePattern(QString::fromUtf8(c.pattern)).matches(QString::fromUtf8(c.name)), c.matches)
      << c.pattern << " against " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ClassicPatterns, FilePatternTable,
    testing::Values(PatternCase{"*.mdb", "music.mdb", true}, PatternCase{"*.mdb", "MUSIC.MDB", true},
                    PatternCase{"*.mdb", "music.mdb.bak", false}, PatternCase{"*.mdb", "music.accdb", false},
                    PatternCase{"*.mdb", "mdb", false}, PatternCase{"*.mp3", "Track 01.Mp3", true},
                    PatternCase{"*.mp3", "song.mp3x", false}, PatternCase{"*.mp3", "song.mp", false},
                    PatternCase{"*.mp3", ".mp3", true}, PatternCase{"*.MP3", "ÄRGER.mp3", true},
                    PatternCase{"song?.mp3", "song1.mp3", true}, PatternCase{"song?.mp3", "song10.mp3", false},
                    PatternCase{"*a*b*c", "xaybzc", true}, PatternCase{"*a*b*c", "xaybzcd", false},
                    PatternCase{"[ab].mp3", "[ab].mp3", true}, PatternCase{"[ab].mp3", "a.mp3", false},
                    PatternCase{"*.mp3;*.wav", "take.WAV", true}, PatternCase{"*.mp3; *.wav", "take.wav", true},
                    PatternCase{"*.mp3;*.wav", "take.ogg", false}, PatternCase{"*.*", "README", true},
                    PatternCase{"", "anything.at.all", true}));
