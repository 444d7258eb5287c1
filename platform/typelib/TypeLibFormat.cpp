#include <platform/typelib/TypeLibFormat.h>

#include <platform/typelib/ByteStream.h>
#include <platform/typelib/TypeLibValidation.h>

namespace platform::typelib {
using automation::DISPID;
namespace {
constexpr std::uint8_t kParameterNamesPublished = 0x1;

// The fewest bytes one element of each list takes, so a count can be checked
// against what is left before the list is read.
constexpr std::size_t kMinTypeBytes = 16 + 4 + 4 + 2 + 2 + 2 + 2 + 16 + 4 + 4;
constexpr std::size_t kMinFunctionBytes = 4 + 4 + 2 + 2 + 2 + 4 + 4;
constexpr std::size_t kMinParameterBytes = 2 + 2;
constexpr std::size_t kImplementedTypeBytes = 16 + 4;

void writeFunction(ByteWriter& out, const Function& f, bool withParameterNames) {
  out.text(f.name);
  out.u32(static_cast<std::uint32_t>(f.memberId));
  out.u16(f.invokeKind);
  out.u16(f.resultType);
  out.u16(f.flags);
  out.text(f.helpString);
  out.u32(static_cast<std::uint32_t>(f.parameters.size()));
  for (const Parameter& p : f.parameters) {
    if (withParameterNames) out.text(p.name);
    out.u16(p.type);
    out.u16(p.flags);
  }
}

void writeType(ByteWriter& out, const TypeDescription& t, bool withParameterNames) {
  out.guid(t.guid);
  out.text(t.name);
  out.text(t.helpString);
  out.u16(t.majorVersion);
  out.u16(t.minorVersion);
  out.u16(t.kind);
  out.u16(t.flags);
  out.guid(t.baseInterface);
  out.u32(static_cast<std::uint32_t>(t.functions.size()));
  for (const Function& f : t.functions) writeFunction(out, f, withParameterNames);
  out.u32(static_cast<std::uint32_t>(t.implementedTypes.size()));
  for (const ImplementedType& i : t.implementedTypes) {
    out.guid(i.type);
    out.u32(static_cast<std::uint32_t>(i.flags));
  }
}

bool readCount(ByteReader& in, std::uint32_t& count, std::size_t minElementBytes, const char* what) {
  if (!in.u32(count, what)) return false;
  if (count > in.remaining() / minElementBytes)
    return in.fail(std::string(what) + " " + std::to_string(count) + " exceeds the data that follows");
  return true;
}

bool readParameter(ByteReader& in, Parameter& p, bool withNames) {
  if (withNames && !in.text(p.name, "parameter name")) return false;
  return in.u16(p.type, "parameter type") && in.u16(p.flags, "parameter flags");
}

bool readFunction(ByteReader& in, Function& f, bool withParameterNames) {
  std::uint32_t memberId = 0, count = 0;
  std::uint16_t invokeKind = 0;
  if (!in.text(f.name, "function name") || !in.u32(memberId, "member id") || !in.u16(invokeKind, "invoke kind") ||
      !in.u16(f.resultType, "result type") || !in.u16(f.flags, "function flags") ||
      !in.text(f.helpString, "function help string") || !readCount(in, count, kMinParameterBytes, "parameter count"))
    return false;
  f.memberId = static_cast<DISPID>(memberId);
  f.invokeKind = static_cast<INVOKEKIND>(invokeKind);
  f.parameters.resize(count);
  for (Parameter& p : f.parameters)
    if (!readParameter(in, p, withParameterNames)) return false;
  return true;
}

bool readImplementedTypes(ByteReader& in, std::vector<ImplementedType>& types) {
  std::uint32_t count = 0;
  if (!readCount(in, count, kImplementedTypeBytes, "implemented type count")) return false;
  types.resize(count);
  for (ImplementedType& i : types) {
    std::uint32_t flags = 0;
    if (!in.guid(i.type, "implemented type") || !in.u32(flags, "implemented type flags")) return false;
    i.flags = static_cast<std::int32_t>(flags);
  }
  return true;
}

bool readType(ByteReader& in, TypeDescription& t, bool withParameterNames) {
  std::uint16_t kind = 0;
  std::uint32_t count = 0;
  if (!in.guid(t.guid, "type identity") || !in.text(t.name, "type name") ||
      !in.text(t.helpString, "type help string") || !in.u16(t.majorVersion, "type version") ||
      !in.u16(t.minorVersion, "type version") || !in.u16(kind, "type kind") || !in.u16(t.flags, "type flags") ||
      !in.guid(t.baseInterface, "base interface") || !readCount(in, count, kMinFunctionBytes, "function count"))
    return false;
  t.kind = static_cast<TYPEKIND>(kind);
  t.functions.resize(count);
  for (Function& f : t.functions)
    if (!readFunction(in, f, withParameterNames)) return false;
  return readImplementedTypes(in, t.implementedTypes);
}

bool readHeader(ByteReader& in) {
  std::uint8_t magic[4] = {};
  for (std::uint8_t& b : magic)
    if (!in.u8(b, "magic")) return false;
  if (!std::equal(magic, magic + 4, kFormatMagic)) return in.fail("not a type library (wrong magic)");
  std::uint16_t version = 0;
  if (!in.u16(version, "format version")) return false;
  if (version != kFormatVersion) return in.fail("unsupported format version " + std::to_string(version));
  return true;
}

bool readLibrary(ByteReader& in, Library& lib) {
  std::uint8_t options = 0;
  std::uint32_t count = 0;
  if (!readHeader(in) || !in.guid(lib.guid, "library identity") || !in.text(lib.name, "library name") ||
      !in.text(lib.helpString, "library help string") || !in.u16(lib.majorVersion, "library version") ||
      !in.u16(lib.minorVersion, "library version") || !in.u32(lib.lcid, "locale") ||
      !in.u16(lib.flags, "library flags") || !in.u8(options, "options") ||
      !readCount(in, count, kMinTypeBytes, "type count"))
    return false;
  if (options & ~kParameterNamesPublished) return in.fail("unknown options " + std::to_string(options));
  lib.parameterNamesPublished = options & kParameterNamesPublished;
  lib.types.resize(count);
  for (TypeDescription& t : lib.types)
    if (!readType(in, t, lib.parameterNamesPublished)) return false;
  return in.atEnd() || in.fail("unexpected bytes after the type library");
}
}  // namespace

std::vector<std::uint8_t> serialize(const Library& lib) {
  ByteWriter out;
  for (std::uint8_t b : kFormatMagic) out.u8(b);
  out.u16(kFormatVersion);
  out.guid(lib.guid);
  out.text(lib.name);
  out.text(lib.helpString);
  out.u16(lib.majorVersion);
  out.u16(lib.minorVersion);
  out.u32(lib.lcid);
  out.u16(lib.flags);
  out.u8(lib.parameterNamesPublished ? kParameterNamesPublished : 0);
  out.u32(static_cast<std::uint32_t>(lib.types.size()));
  for (const TypeDescription& t : lib.types) writeType(out, t, lib.parameterNamesPublished);
  return out.take();
}

ParseResult parse(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  Library lib;
  if (!readLibrary(in, lib)) return {std::nullopt, "type library: " + in.error()};
  if (auto problem = findModelError(lib)) return {std::nullopt, "type library: " + *problem};
  return {std::move(lib), {}};
}

}  // namespace platform::typelib
