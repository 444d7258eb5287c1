// The binary type-library reader on arbitrary bytes. Whatever parses must load as
// a type library, and must serialise back to the same bytes: the format has one
// spelling per library, so anything else read would be lost on the way back.
#include <cstdint>
#include <span>
#include <vector>

#include <platform/automation/ComPtr.h>
#include <platform/typelib/TypeInfo.h>
#include <platform/typelib/TypeLibFormat.h>

#include <fuzz/FuzzCheck.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const platform::typelib::ParseResult parsed = platform::typelib::parse(bytes);
  platform::automation::ComPtr<platform::typelib::ITypeLib> library;
  const platform::automation::HRESULT hr = platform::typelib::loadTypeLib(bytes, library.put());
  FUZZ_CHECK(parsed.library.has_value() == platform::automation::succeeded(hr));
  if (parsed.library)
    FUZZ_CHECK(platform::typelib::serialize(*parsed.library) == std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return 0;
}
