// How fast a host reads the three fields an import needs, through the path a host
// really takes: the component created by its ProgID from the registry, the file
// name put and the fields got late-bound by Invoke. Against a raw loop that stats,
// opens, reads the last 128 bytes, closes and cuts the same texts; the C++ class
// called directly is a second line. Every text read goes into a checksum that
// must equal the raw loop's. Also: a child process that creates the component and
// makes one call, against a bare start of the same program.
#include <platform/automation/ComObject.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/InprocServer.h>
#include <platform/automation/ObjectCreation.h>
#include <dlfcn.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <tagcomponent/Lyrebox.h>
#include <tagcomponent/LyreboxIdentity.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <bench/tagread/RawTagTexts.h>
#include <bench/tagread/TextChecksum.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using bench::tagread::TextChecksum;

constexpr int kFiles = 10'000;
constexpr int kRounds = 9;  // each way three times in each place
constexpr int kStarts = 31;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tagread-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void appendField(std::string& tag, const std::string& text, std::size_t width, char pad) {
  tag += text.substr(0, width);
  tag.append(width - std::min(width, text.size()), pad);
}

// Eight in ten files carry a tag (half space-padded, half NUL-padded, some with
// Latin-1 letters), one in ten has none, one in ten is shorter than a tag.
std::string contentOf(int index) {
  const int kind = index % 10;
  if (kind == 9) return std::string(static_cast<std::size_t>(index % 128), 'x');
  std::string content(2048 + static_cast<std::size_t>(index % 512), '\xFF');
  if (kind == 8) return content;
  const char pad = index % 2 == 0 ? ' ' : '\0';
  std::string tag = index % 7 == 0 ? "tag" : "TAG";
  appendField(tag, (index % 5 == 0 ? "Caf\xE9 " : "Title ") + std::to_string(index), 30, pad);
  appendField(tag, "Artist " + std::to_string(index % 97), 30, pad);
  appendField(tag, (index % 3 == 0 ? "\xC9t\xE9 " : "Album ") + std::to_string(index % 31), 30, pad);
  appendField(tag, "1999", 4, pad);
  appendField(tag, "", 30, pad);
  tag += static_cast<char>(index % 148);
  return content + tag;
}

struct Sample {
  std::vector<std::string> paths;
  std::vector<std::u16string> names;  // the host's own names, as it keeps them
};

Sample makeFiles(const fs::path& folder) {
  Sample sample;
  for (int i = 0; i < kFiles; ++i) {
    const fs::path path = folder / ("song" + std::to_string(i) + ".mp3");
    std::ofstream(path, std::ios::binary) << contentOf(i);
    sample.paths.push_back(path.string());
    sample.names.push_back(path.u16string());
  }
  return sample;
}

using Read = std::function<bool(TextChecksum&)>;

bool rawLoop(const Sample& sample, TextChecksum& checksum) {
  bench::tagread::rawTagTexts(sample.paths, checksum);
  return true;
}

bool getText(platform::automation::IDispatch* lyrebox, platform::automation::DISPID id, TextChecksum& checksum) {
  platform::automation::Variant value;
  if (platform::automation::failed(platform::automation::getProperty(lyrebox, id, &value)) ||
      value.type() != platform::automation::VT_BSTR)
    return false;
  checksum.add(std::u16string_view(value.bstr()));
  return true;
}

bool publicPath(platform::automation::IDispatch* lyrebox, const Sample& sample, TextChecksum& checksum) {
  for (const auto& name : sample.names) {
    if (platform::automation::failed(platform::automation::putProperty(lyrebox, tagcomponent::DISPID_MP3_FileName,
                                                                       platform::automation::Variant::fromBstr(name))))
      return false;
    for (const auto id :
         {tagcomponent::DISPID_ID3tag_Title, tagcomponent::DISPID_ID3tag_Album, tagcomponent::DISPID_ID3tag_Artist})
      if (!getText(lyrebox, id, checksum)) return false;
  }
  return true;
}

bool directCalls(tagcomponent::Lyrebox& control, const Sample& sample, TextChecksum& checksum) {
  std::u16string title, album, artist;
  for (const auto& name : sample.names) {
    control.put_MP3_FileName(name);
    control.get_ID3tag_Title(&title);
    control.get_ID3tag_Album(&album);
    control.get_ID3tag_Artist(&artist);
    for (const auto* text : {&title, &album, &artist}) checksum.add(std::u16string_view(*text));
  }
  return true;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Each way runs once a round, the order turned by one every round, so that each
// way comes first, in between and last equally often: a slow spell of the shared
// machine, or the warm caches of a way run twice in a row, favour none.
template <class Measure>
void inTurningOrder(int rounds, const std::vector<Measure>& measures) {
  for (int round = 0; round < rounds; ++round)
    for (std::size_t i = 0; i < measures.size(); ++i) measures[(round + i) % measures.size()]();
}

struct Way {
  const char* name;
  Read read;
  std::vector<double> seconds;
  bool failed = false;
};

// Times every way over the whole sample; false when any read failed or gave other
// texts than the raw loop.
bool timeReads(std::vector<Way>& ways) {
  TextChecksum expected;
  ways.front().read(expected);  // the raw loop's texts; it also warms the page cache
  const std::uint64_t rawSum = expected.value();
  std::vector<std::function<void()>> measures;
  for (auto& way : ways)
    measures.push_back([&way, rawSum] {
      TextChecksum checksum;
      const auto start = Clock::now();
      const bool read = way.read(checksum);
      way.seconds.push_back(secondsSince(start));
      if (!read || checksum.value() != rawSum) way.failed = true;
    });
  for (const auto& measure : measures) measure();  // warm-up, not counted
  for (auto& way : ways) way.seconds.clear();
  inTurningOrder(kRounds, measures);
  bool allAgree = true;
  for (const auto& way : ways)
    if (way.failed) {
      std::fprintf(stderr, "%s: a read failed or its texts differ from the raw loop's\n", way.name);
      allAgree = false;
    }
  return allAgree;
}

// --- one component start in a child process --------------------------------

// The child's work: create the component by its ProgID and put one file name.
int createAndCall(const char* fileName) {
  platform::automation::ComPtr<platform::automation::IDispatch> lyrebox;
  std::string why;
  if (platform::automation::failed(
          platform::automation::createInstanceByProgId(tagcomponent::kProgId, lyrebox, &why))) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  const auto hr =
      platform::automation::putProperty(lyrebox.get(), tagcomponent::DISPID_MP3_FileName,
                                        platform::automation::Variant::fromBstr(fs::path(fileName).u16string()));
  return platform::automation::failed(hr) ? 1 : 0;
}

// Seconds from spawning this program with the arguments to its exit, without a
// display, as the command line runs; negative when it failed.
double timeChild(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> environment;
  for (char** variable = environ; *variable; ++variable)
    if (std::strncmp(*variable, "DISPLAY=", 8) != 0 && std::strncmp(*variable, "WAYLAND_DISPLAY=", 16) != 0)
      environment.push_back(*variable);
  environment.push_back(nullptr);
  const auto start = Clock::now();
  pid_t child = 0;
  if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environment.data()) != 0) return -1;
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return secondsSince(start);
}

bool registerComponent(std::string& why) {
  void* library = ::dlopen(LYREBOX_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    why = ::dlerror();
    return false;
  }
  const auto registerServer =
      reinterpret_cast<platform::automation::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
  if (!registerServer || platform::automation::failed(registerServer())) {
    why = "DllRegisterServer failed";
    return false;
  }
  return true;
}

// Each child is a new process, so the created one loads the component afresh.
bool timeStarts(const std::string& self, const std::string& fileName) {
  std::vector<double> bare, created;
  std::vector<std::function<void()>> measures{[&] {
                                                bare.push_back(timeChild({self, "--bare-start"}));
                                              },
                                              [&] {
                                                created.push_back(timeChild({self, "--create-and-call", fileName}));
                                              }};
  for (const auto& measure : measures) measure();  // warm-up: the libraries into the page cache
  bare.clear();
  created.clear();
  inTurningOrder(kStarts, measures);
  if (std::count_if(bare.begin(), bare.end(), [](double s) { return s < 0; }) ||
      std::count_if(created.begin(), created.end(), [](double s) { return s < 0; })) {
    std::fprintf(stderr, "a child process failed\n");
    return false;
  }
  const double bareMs = median(bare) * 1000, createdMs = median(created) * 1000;
  std::printf("process start, medians of %d starts in turning order (no display):\n", kStarts);
  std::printf("  bare start of this program:                %7.2f ms\n", bareMs);
  std::printf("  start, create by ProgID, one Invoke:       %7.2f ms\n", createdMs);
  std::printf("  creation + first call above a bare start:  %7.2f ms (goal <= 3)\n", createdMs - bareMs);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--bare-start") == 0) return 0;
  if (argc == 3 && std::strcmp(argv[1], "--create-and-call") == 0) return createAndCall(argv[2]);

  TempFolder folder;
  setenv("AUTOMATION_REGISTRY", (folder.path() / "registry").c_str(), 1);
  const Sample sample = makeFiles(folder.path());
  std::string why;
  if (!registerComponent(why)) {
    std::fprintf(stderr, "cannot register the component: %s\n", why.c_str());
    return 1;
  }
  platform::automation::ComPtr<platform::automation::IDispatch> lyrebox;
  if (platform::automation::failed(
          platform::automation::createInstanceByProgId(tagcomponent::kProgId, lyrebox, &why))) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  const auto control = platform::automation::makeObject<tagcomponent::Lyrebox>();

  std::vector<Way> ways{
      {"raw loop", [&](TextChecksum& sum) { return rawLoop(sample, sum); }, {}},
      {"public path", [&](TextChecksum& sum) { return publicPath(lyrebox.get(), sample, sum); }, {}},
      {"direct calls", [&](TextChecksum& sum) { return directCalls(*control, sample, sum); }, {}},
  };
  const bool readsAgree = timeReads(ways);
  const double raw = median(ways[0].seconds);
  std::printf(
      "files: %d (80%% tagged, 10%% untagged, 10%% shorter than 128 bytes), medians of %d rounds in turning order\n",
      kFiles, kRounds);
  std::printf("a) raw stat/open/read last 128 bytes/close, texts cut:  %8.2f ms\n", raw * 1000);
  for (std::size_t i = 1; i < ways.size(); ++i)
    std::printf("%c) %-52s %8.2f ms  %.2f x a%s\n", static_cast<char>('a' + i),
                i == 1 ? "public path: by ProgID, Invoke put name, get 3 fields:" : "direct C++ calls, same reads:",
                median(ways[i].seconds) * 1000, median(ways[i].seconds) / raw, i == 1 ? " (goal <= 1.25)" : "");
  std::printf("every text read checked against the raw loop: %s\n", readsAgree ? "equal" : "DIFFERENT");

  const bool started = timeStarts(fs::read_symlink("/proc/self/exe").string(), sample.paths.front());
  return readsAgree && started ? 0 : 1;
}
