// Late-bound calls into the tag control, as any host script could make them: a run
// of Invoke calls with fuzzed dispatch identifiers (mostly the control's members,
// sometimes anything), flags, argument counts and argument variants of every kind
// (text with NULs, numbers at their limits, booleans, objects), with or without the
// named property-put argument, on the one file held in memory or on no file. About
// is never called: it needs a window.
// Beyond not crashing: each call answers with one of the codes Invoke documents, a
// successful get gives the member's documented type and a failed call or a put
// leaves the result alone; a file name put keeps the name exactly when it names the
// file; and whatever the calls did, the file's audio bytes are never touched and the
// file only ever ends in one tag.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <platform/automation/Dispatch.h>
#include <tagcomponent/Lyrebox.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <fuzz/FuzzCheck.h>
#include <fuzz/MemoryFile.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using namespace platform::automation;
using fuzz::kPath16;
using fuzz::MemoryFile;
using tagcomponent::ID3tagRecord;
using tagcomponent::Lyrebox;

constexpr std::size_t kAudioLength = 300;
constexpr std::size_t kLongestText = 80;
constexpr std::size_t kMostCalls = 24;

struct MemberShape {
  DISPID id;
  VARTYPE type;  // of a get's result; VT_EMPTY for a member Invoke does not know
  bool isMethod;
};

// Every member but About, and the identifiers a host is likely to try by mistake.
constexpr std::array<MemberShape, 11> kMembers{{
    {tagcomponent::DISPID_MP3_FileName, VT_BSTR, false},
    {tagcomponent::DISPID_SaveTag, VT_I4, true},
    {tagcomponent::DISPID_ID3tag_Title, VT_BSTR, false},
    {tagcomponent::DISPID_ID3tag_Artist, VT_BSTR, false},
    {tagcomponent::DISPID_ID3tag_Album, VT_BSTR, false},
    {tagcomponent::DISPID_ID3tag_Year, VT_I2, false},
    {tagcomponent::DISPID_ID3tag_Comment, VT_BSTR, false},
    {tagcomponent::DISPID_ID3tag_Genre, VT_UI1, false},
    {0, VT_EMPTY, false},
    {DISPID_PROPERTYPUT, VT_EMPTY, false},
    {-1, VT_EMPTY, false},
}};

MemberShape shapeOf(DISPID id) {
  for (const MemberShape& member : kMembers)
    if (member.id == id) return member;
  return {id, VT_EMPTY, false};
}

std::vector<std::uint8_t> startingFile(bool tagged) {
  std::vector<std::uint8_t> bytes(kAudioLength);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  if (tagged) {
    std::vector<std::uint8_t> tag(ID3tagRecord::kFileSize, ' ');
    std::copy_n("TAG", 3, tag.begin());
    tag.back() = 12;
    bytes.insert(bytes.end(), tag.begin(), tag.end());
  }
  return bytes;
}

std::u16string fuzzedText(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return kPath16;
    case 1: {  // the file's name with something after a NUL: not the file
      std::u16string text = kPath16;
      text += u'\0';
      text += static_cast<char16_t>(input.ConsumeIntegral<std::uint16_t>());
      return text;
    }
    default: {
      std::u16string text;
      const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, kLongestText);
      for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i)
        text += input.ConsumeBool() ? static_cast<char16_t>(input.ConsumeIntegralInRange<int>(0, 0x7f))
                                    : static_cast<char16_t>(input.ConsumeIntegral<std::uint16_t>());
      return text;
    }
  }
}

Variant fuzzedArgument(FuzzedDataProvider& input, IDispatch* control) {
  switch (input.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return Variant();
    case 1: return Variant::fromBstr(fuzzedText(input));
    case 2: return Variant::fromI2(input.ConsumeIntegral<std::int16_t>());
    case 3: return Variant::fromUI1(input.ConsumeIntegral<std::uint8_t>());
    case 4: return Variant::fromI4(input.ConsumeIntegral<std::int32_t>());
    case 5: return Variant::fromBool(input.ConsumeBool());
    case 6: return Variant::fromDispatch(nullptr);
    default: return Variant::fromDispatch(ComPtr<IDispatch>(control));
  }
}

DISPID fuzzedMember(FuzzedDataProvider& input) {
  if (input.ConsumeIntegralInRange<int>(0, 7) != 0)
    return kMembers[input.ConsumeIntegralInRange<std::size_t>(0, kMembers.size() - 1)].id;
  const DISPID id = input.ConsumeIntegral<DISPID>();
  return id == tagcomponent::DISPID_About ? tagcomponent::DISPID_SaveTag : id;
}

std::uint16_t fuzzedFlags(FuzzedDataProvider& input) {
  constexpr std::uint16_t kUsual[] = {
      DISPATCH_METHOD,      DISPATCH_PROPERTYGET,    DISPATCH_METHOD | DISPATCH_PROPERTYGET,
      DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF, 0};
  if (input.ConsumeIntegralInRange<int>(0, 7) != 0) return kUsual[input.ConsumeIntegralInRange<std::size_t>(0, 5)];
  return input.ConsumeIntegral<std::uint16_t>();
}

bool isDocumentedFailure(HRESULT hr) {
  return hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_BADPARAMCOUNT || hr == DISP_E_NONAMEDARGS ||
         hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW || hr == DISP_E_BADVARTYPE;
}

// One Invoke and the properties its answer must have.
void invokeOnce(FuzzedDataProvider& input, Lyrebox& control) {
  const DISPID member = fuzzedMember(input);
  const std::uint16_t flags = fuzzedFlags(input);
  std::vector<Variant> arguments(input.ConsumeIntegralInRange<std::size_t>(0, input.ConsumeBool() ? 1 : 3));
  for (Variant& argument : arguments) argument = fuzzedArgument(input, static_cast<tagcomponent::ILyrebox*>(&control));
  std::vector<DISPID> named(input.ConsumeIntegralInRange<std::size_t>(0, arguments.size()));
  for (DISPID& id : named)
    id = input.ConsumeIntegralInRange<int>(0, 3) != 0 ? DISPID_PROPERTYPUT : input.ConsumeIntegral<DISPID>();
  const bool withParams = input.ConsumeIntegralInRange<int>(0, 15) != 0;
  const bool withResult = input.ConsumeIntegralInRange<int>(0, 7) != 0;

  const std::vector<Variant> passed = arguments;
  DISPPARAMS params{arguments.empty() ? nullptr : arguments.data(), named.empty() ? nullptr : named.data(),
                    static_cast<std::uint32_t>(arguments.size()), static_cast<std::uint32_t>(named.size())};
  const Variant untouched = Variant::fromBstr(u"untouched");
  Variant result = untouched;
  std::uint32_t argumentError = 0xFFFFFFFF;
  const HRESULT hr = control.Invoke(member, IID{}, 0, flags, withParams ? &params : nullptr,
                                    withResult ? &result : nullptr, nullptr, &argumentError);

  FUZZ_CHECK(hr == S_OK || isDocumentedFailure(hr));
  FUZZ_CHECK(arguments == passed);  // the caller's arguments are read, never changed
  const MemberShape shape = shapeOf(member);
  const bool isPut = (flags & DISPATCH_PROPERTYPUT) != 0;
  if (failed(hr) || isPut || !withResult) {
    FUZZ_CHECK(result == untouched);
  } else {
    FUZZ_CHECK(shape.type != VT_EMPTY && result.type() == shape.type);
    if (shape.type == VT_BSTR && member != tagcomponent::DISPID_MP3_FileName) FUZZ_CHECK(result.bstr().size() <= 30);
  }
  if (hr == DISP_E_OVERFLOW && !isPut) FUZZ_CHECK(member == tagcomponent::DISPID_ID3tag_Year);
  if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_BADVARTYPE) FUZZ_CHECK(argumentError == 0);
  // A file name put keeps the name exactly when it names the file.
  if (isPut && succeeded(hr) && member == tagcomponent::DISPID_MP3_FileName) {
    Variant name;
    FUZZ_CHECK(succeeded(passed[0].changeType(VT_BSTR, name)));
    FUZZ_CHECK(control.storedFileName() == (name.bstr() == kPath16 ? kPath16 : u""));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::vector<std::uint8_t> original = startingFile(input.ConsumeBool());
  MemoryFile file(original, 0);
  {
    const auto control = platform::automation::makeObject<Lyrebox>(file);
    if (input.ConsumeBool()) FUZZ_CHECK(control->put_MP3_FileName(kPath16) == S_OK);
    for (std::size_t call = 0; call < kMostCalls && input.remaining_bytes() > 0; ++call) invokeOnce(input, *control);
  }
  // Nothing the calls did may cost the file its audio or leave it with two tags.
  const std::vector<std::uint8_t>& now = file.bytes();
  FUZZ_CHECK(now.size() == kAudioLength || now.size() == kAudioLength + ID3tagRecord::kFileSize);
  FUZZ_CHECK(std::equal(original.begin(), original.begin() + kAudioLength, now.begin()));
  FUZZ_CHECK(now.size() == kAudioLength || tagcomponent::isTagMarker(&now[kAudioLength]));
  FUZZ_CHECK(file.openCount() == 0);
  return 0;
}
