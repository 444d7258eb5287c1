// Writes a small example collection for a first run: a few short MP3 files (silent
// MPEG audio frames followed by an ID3v1 tag), some with incomplete tags, in a
// source folder and one folder below it.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Example {
  const char* path;
  const char* title;
  const char* artist;
  const char* album;
  bool tagged;
};

constexpr Example kExamples[] = {
    {"Music/01 Morning.mp3", "Morning", "The Wendlow Quartet", "First Light", true},
    {"Music/02 Noon.mp3", "Noon", "The Wendlow Quartet", "First Light", true},
    {"Music/03 Evening.mp3", "Evening", "Ada Lyre", "Dusk Songs", true},
    {"Music/04 Untitled.mp3", "", "", "", false},
    {"Music/05 Demo.mp3", "Demo", "Ada Lyre", "", true},
    {"Music/Live/06 Encore.mp3", "Encore", "Ada Lyre", "Live at the Hall", true},
    {"Music/Live/07 Applause.mp3", "Applause", "", "Live at the Hall", true},
};

// One second of silence: 38 MPEG-1 Layer III frames, 128 kbit/s, 44.1 kHz.
std::string silentAudio() {
  constexpr std::size_t kFrameLength = 417;
  std::string frame(kFrameLength, '\0');
  frame[0] = '\xFF', frame[1] = '\xFB', frame[2] = '\x90', frame[3] = '\x64';
  std::string audio;
  for (int i = 0; i < 38; ++i) audio += frame;
  return audio;
}

void putField(std::array<char, 128>& tag, std::size_t offset, std::size_t width, const char* text) {
  for (std::size_t i = 0; i < width && text[i]; ++i) tag[offset + i] = text[i];
}

std::string id3v1Tag(const Example& example) {
  std::array<char, 128> tag{};
  putField(tag, 0, 3, "TAG");
  putField(tag, 3, 30, example.title);
  putField(tag, 33, 30, example.artist);
  putField(tag, 63, 30, example.album);
  putField(tag, 93, 4, "2026");
  putField(tag, 97, 30, "Example for Mervalis");
  tag[127] = 12;  // Other
  return std::string(tag.begin(), tag.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  for (const auto& example : kExamples) {
    const auto path = root / example.path;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << silentAudio();
    if (example.tagged) out << id3v1Tag(example);
    if (!out.flush()) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
