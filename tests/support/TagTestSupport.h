#pragma once
// What the suites that drive the tag component share: tag bytes built by hand, a
// recording host site and a count of the control's yields.
#include <platform/automation/ControlSite.h>
#include <platform/events/PendingEvents.h>
#include <tests/support/TemporaryFolder.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tests::support {

using Bytes = std::vector<std::uint8_t>;

using support::TemporaryFolder;

inline void writeBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::u16string u16(const std::filesystem::path& file) { return file.u16string(); }

// `length` bytes of audio-like filler followed by nothing else.
inline Bytes filler(std::size_t length) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(0xF0 ^ i);
  return bytes;
}

struct TagFields {
  std::string marker = "TAG";
  std::string title{}, artist{}, album{}, year{}, comment{};
  std::uint8_t genre = 0;
  char pad = '\0';
};

// A 128-byte tag built byte for byte, padded with `pad`.
inline Bytes tagBytes(const TagFields& f) {
  Bytes tag;
  auto put = [&tag, &f](const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) tag.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : f.pad));
  };
  put(f.marker, 3);
  put(f.title, 30);
  put(f.artist, 30);
  put(f.album, 30);
  put(f.year, 4);
  put(f.comment, 30);
  tag.push_back(f.genre);
  return tag;
}

inline Bytes concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Bytes lastBytes(const Bytes& bytes, std::size_t count) {
  return Bytes(bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end());
}

// A host site that records the notifications it receives and answers them with a
// chosen result.
class RecordingSite : public platform::automation::IControlSite {
 public:
  platform::automation::HRESULT QueryInterface(const platform::automation::IID& iid, void** object) override {
    if (iid == platform::automation::IID_IUnknown || iid == platform::automation::IID_IControlSite) {
      *object = this;
      AddRef();
      return platform::automation::S_OK;
    }
    *object = nullptr;
    return platform::automation::E_NOINTERFACE;
  }
  std::uint32_t AddRef() override { return ++references; }
  std::uint32_t Release() override { return --references; }
  platform::automation::HRESULT GetParentWindow(platform::automation::IDispatch** parent) override {
    *parent = nullptr;
    return platform::automation::E_NOTIMPL;
  }
  platform::automation::HRESULT OnPropertyChanged(std::u16string_view bagKey) override {
    names.emplace_back(bagKey);
    return answer;
  }

  std::vector<std::u16string> names;
  platform::automation::HRESULT answer = platform::automation::S_OK;
  std::uint32_t references = 0;
};

// Counts the control's yields while it lives; restores the default handler after.
class YieldCounter {
 public:
  explicit YieldCounter(std::function<void()> alsoDo = {}) {
    platform::events::setPendingEventsHandler([this, alsoDo = std::move(alsoDo)] {
      ++count;
      if (alsoDo) alsoDo();
    });
  }
  ~YieldCounter() { platform::events::setPendingEventsHandler({}); }
  YieldCounter(const YieldCounter&) = delete;
  YieldCounter& operator=(const YieldCounter&) = delete;

  int count = 0;
};

}  // namespace tests::support
