// Writes the seed corpora of the fuzz targets: one folder per target below the
// folder given (fuzz/corpus in the source tree). Binary seeds come from the same
// writers and models the tests use, so they start the fuzzer at well-formed input.
#include <platform/automation/RegistryText.h>
#include <platform/automation/Variant.h>
#include <platform/resources/ResourceSectionWriter.h>
#include <platform/resources/VersionBlockWriter.h>
#include <platform/typelib/TypeLibFormat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <tagcomponent/pictures/LyreboxVersionInfo.h>
#include <tests/resources/ElfImage.h>
#include <tagcomponent/ID3tagRecord.h>
#include <tests/typelib/ComponentLikeLibrary.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

fs::path outputRoot;

void write(const std::string& target, const std::string& name, const Bytes& bytes) {
  const fs::path folder = outputRoot / target;
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + (folder / name).string());
}

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes append(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A few frames' worth of bytes that look like MPEG audio: a frame header, then filler.
Bytes audio(std::size_t length) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  if (length >= 4) bytes[0] = 0xFF, bytes[1] = 0xFB, bytes[2] = 0x90, bytes[3] = 0x64;
  return bytes;
}

Bytes tag(std::u16string_view marker, std::u16string_view title, std::u16string_view year, std::u16string_view comment,
          std::uint8_t genre) {
  tagcomponent::ID3tagRecord record;
  record.Marker.assign(marker);
  record.Title.assign(title);
  record.Artist.assign(u"Ana Mar\u00eda Ortega");
  record.Album.assign(u"Caf\u00e9 \u20ac Live");
  record.Year.assign(year);
  record.Comment.assign(comment);
  record.Genre = genre;
  const auto bytes = record.toFileBytes();
  return Bytes(bytes.begin(), bytes.end());
}

void tagSeeds() {
  write("tag_load", "tagged", append(audio(384), tag(u"TAG", u"Noon Tide", u"1997", u"ripped", 17)));
  write("tag_load", "tag_only_lower_case_marker", tag(u"tag", u"Only A Tag", u"2024", u"", 255));
  // ID3v1.1: a NUL then the track number at the comment's end.
  std::u16string trackComment(30, u'\0');
  trackComment.replace(0, 4, u"live");
  trackComment.back() = 11;
  write("tag_load", "track_number", append(audio(200), tag(u"TAG", u"Eleven", u"&H7C1", trackComment, 0)));
  Bytes highBytes = append(audio(130), tag(u"TaG", u"", u"99999", u"", 80));
  // Title bytes 0x80..0x9D, among them the five the code page leaves undefined.
  for (std::size_t i = 0; i < 30; ++i) highBytes[130 + 3 + i] = static_cast<std::uint8_t>(0x80 + i);
  write("tag_load", "undefined_code_page_bytes", highBytes);
  Bytes allHigh(tagcomponent::ID3tagRecord::kFileSize, 0xFF);
  std::copy_n("TAG", 3, allHigh.begin());
  write("tag_load", "tag_of_0xFF_bytes", append(audio(64), allHigh));
  write("tag_load", "untagged", audio(417));
  write("tag_load", "short", audio(40));
  write("tag_load", "one_byte_short_of_a_tag", append(bytesOf("TAG"), Bytes(124, ' ')));
}

void registrySeeds() {
  platform::automation::RegistryTree tree;
  const std::string clsid = "CLSID\\{1B8E6E63-3E6A-4B1C-9A43-5A9C0E3F2D11}";
  tree.createKey(clsid)->setValue("", "Lyrebox Control");
  tree.createKey(clsid + "\\InprocServer32")->setValue("", "/usr/lib/mervalis/Lyrebox.ocx");
  tree.createKey(clsid + "\\InprocServer32")->setValue("ThreadingModel", "Apartment");
  tree.createKey(clsid + "\\ProgID")->setValue("", "Lyrebox.Lyrebox");
  tree.createKey(clsid + "\\Control");
  tree.createKey("Lyrebox.Lyrebox\\CLSID")->setValue("", "{1B8E6E63-3E6A-4B1C-9A43-5A9C0E3F2D11}");
  tree.createKey("TypeLib\\{1B8E6E63-3E6A-4B1C-9A43-5A9C0E3F2D12}\\1.0\\0\\win32")
      ->setValue("", "/usr/lib/mervalis/Lyrebox.ocx");
  const std::string text = platform::automation::formatRegistry(tree);
  write("registry_text", "component", bytesOf(text));
  write("registry_text", "by_hand",
        bytesOf("# edited by hand\r\n[Software\\Mervalis]\r\n@=\"quote \\\" and \\\\ and \\x09tab\"\r\n"
                "\"Empty\"=\"\"\r\n\r\n  \t\n[software\\MERVALIS\\Sub]\n\"Caf\xc3\xa9\"=\"\\x7F\"\n; end"));
  write("registry_text", "value_outside_key", bytesOf("\"Name\"=\"value\"\n"));
  write("registry_text", "unclosed_quote", bytesOf("[Key]\n\"Name\"=\"value\n"));
}

void typeLibrarySeeds() {
  write("typelib_parse", "component_like", platform::typelib::serialize(tests::typelib::componentLikeLibrary()));
  platform::typelib::Library empty;
  empty.name = u"Empty";
  write("typelib_parse", "empty_library", platform::typelib::serialize(empty));
}

void versionBlockSeeds() {
  write("version_block", "component",
        platform::resources::buildVersionBlock(tagcomponent::pictures::lyreboxVersionInfo()));
  write("version_block", "nothing", platform::resources::buildVersionBlock(platform::resources::VersionInfo{}));
  platform::resources::VersionInfo several;
  several.fixed = {{5, 4, 3, 2}, {65535, 0, 1, 9}, 0x3F, 0x2, 0x40004, 1, 7, 0x0123456789ABCDEFull};
  several.stringTables = {{u"040904B0", {{u"A", u"odd"}, {u"Even", u""}, {u"Comments", u"Gr\u00fc\u00dfe"}}},
                          {u"040704E4", {}}};
  several.translations = {{0x0409, 0x04B0}, {0x0407, 0x04E4}};
  write("version_block", "several_tables", platform::resources::buildVersionBlock(several));
}

// Minimal library files in each ELF class and byte order, and a table alone.
void resourceSectionSeeds() {
  const Bytes table =
      platform::resources::writeResourceSection({{platform::resources::RT_VERSION, 1, bytesOf("version")},
                                                 {"TYPELIB", 1, {}},
                                                 {"_IID_X", "Named", Bytes(20, 0x5A)}});
  write("resource_section", "table", table);
  write("resource_section", "elf64_little", tests::resources::ElfImage::make({true, false}, ".mvres", table));
  write("resource_section", "elf32_big", tests::resources::ElfImage::make({false, true}, ".mvres", table));
  write("resource_section", "elf64_other_section", tests::resources::ElfImage::make({true, false}, ".data", table));
}

// Kind byte, two bytes of a further target type, then the value (see the target).
void variantSeeds() {
  const auto seed = [](std::uint8_t kind, std::uint16_t target, Bytes value) {
    return append(Bytes{kind, static_cast<std::uint8_t>(target), static_cast<std::uint8_t>(target >> 8)}, value);
  };
  write("variant_coercion", "empty", seed(0, platform::automation::VT_NULL, {}));
  write("variant_coercion", "text_decimal", seed(1, platform::automation::VT_I2, bytesOf(" \t-12.5 ")));
  write("variant_coercion", "text_large", seed(1, platform::automation::VT_UI1, bytesOf("99999999999999999999")));
  write("variant_coercion", "text_true_utf16",
        seed(0x81, platform::automation::VT_BOOL, {'T', 0, 'r', 0, 'U', 0, 'e', 0}));
  write("variant_coercion", "i2_lowest", seed(2, platform::automation::VT_BSTR, {0x00, 0x80}));
  write("variant_coercion", "ui1_top", seed(3, platform::automation::VT_I2, {0xFF}));
  write("variant_coercion", "i4_lowest", seed(4, platform::automation::VT_I2, {0x00, 0x00, 0x00, 0x80}));
  write("variant_coercion", "bool_true", seed(5, platform::automation::VT_UI1, {1}));
  write("variant_coercion", "dispatch", seed(6, platform::automation::VT_UNKNOWN, {}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  outputRoot = argv[1];
  try {
    tagSeeds();
    registrySeeds();
    typeLibrarySeeds();
    versionBlockSeeds();
    resourceSectionSeeds();
    variantSeeds();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
