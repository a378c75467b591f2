// An archive is its signature and then members, each a 60-byte text header
// (name, dates, owner, mode, decimal size, "`\n") and its data, padded to an
// even length. The linker's symbol indexes and long-name table say nothing
// about exports and are skipped.
#include "import_library.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include "byte_reader.h"

namespace corvane::pe {

namespace {

constexpr std::string_view kArchiveSignature = "!<arch>\n";
constexpr std::string_view kMemberEnd = "`\n";

// A member header's size, and where its name, decimal size and end mark stand.
constexpr std::size_t kMemberHeaderSize = 60;
constexpr std::size_t kMemberNameLength = 16;
constexpr std::size_t kMemberSizeField = 48;
constexpr std::size_t kMemberSizeLength = 10;
constexpr std::size_t kMemberEndField = 58;

// A short import object: machine-independent fields, then the symbol's
// name, the DLL's name and, for one name type, the name to import by.
constexpr std::uint16_t kShortImportSignature = 0xFFFF;
constexpr std::size_t kShortImportSize = 20;
constexpr std::size_t kShortImportMachineField = 6;
constexpr std::size_t kShortImportDataSizeField = 12;
constexpr std::size_t kShortImportOrdinalField = 16;
constexpr std::size_t kShortImportTypeField = 18;
// The name type: bits 2 to 4 of the type field.
constexpr unsigned kNameTypeShift = 2;
constexpr unsigned kNameTypeMask = 0x7;
enum NameType : unsigned { Ordinal = 0, Name = 1, NoPrefix = 2, Undecorate = 3, ExportAs = 4 };

// A whole COFF object, whose import sections hold the hint and name
// (.idata$6) or, for an import by ordinal, a lookup entry with the ordinal
// (.idata$4). The object that describes the DLL itself has an import
// descriptor (.idata$2) and then holds the DLL's name in .idata$6; GNU's
// tools put that name in .idata$7 of their last object instead.
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::string_view kDescriptorSection = ".idata$2";
constexpr std::string_view kHintNameSection = ".idata$6";
constexpr std::string_view kLookupSection = ".idata$4";
constexpr std::string_view kGnuDllNameSection = ".idata$7";

void readShortImport(const ByteReader &member, ImportLibrary &library) {
  ExportSet &exports = library.exports;
  const std::uint16_t ordinalOrHint = member.u16(kShortImportOrdinalField, "import object");
  const unsigned nameType =
      (member.u16(kShortImportTypeField, "import object") >> kNameTypeShift) & kNameTypeMask;
  const ByteReader strings = member.slice(
      kShortImportSize, member.u32(kShortImportDataSizeField, "import object"), "import object");
  const std::string symbol = strings.name(0, "name in an import object");
  const std::string dll = strings.name(symbol.size() + 1, "name in an import object");
  library.machines.insert(member.u16(kShortImportMachineField, "import object"));
  library.dlls.insert(dll);
  // The ordinal, or for an import by name the hint, which the tools that
  // write these (link, lld-link, dlltool) fill with the ordinal the DLL
  // exports the name under: a plugin linked against it by ordinal imports it.
  if (nameType == Ordinal || ordinalOrHint != 0) {
    exports.ordinals.insert(ordinalOrHint);
  }
  switch (nameType) {
  case Ordinal:
    return;
  case Name:
    exports.names.insert(symbol);
    return;
  case NoPrefix:
  case Undecorate: {
    // The name the DLL exports: the symbol without a leading `?`, `@` or
    // `_`, and for Undecorate cut at the first `@`.
    const std::string name = symbol.substr(symbol.find_first_of("?@_") == 0 ? 1 : 0);
    exports.names.insert(nameType == Undecorate ? name.substr(0, name.find('@')) : name);
    return;
  }
  case ExportAs:
    exports.names.insert(strings.name(symbol.size() + dll.size() + 2, "name in an import object"));
    return;
  default:
    throw FormatError("an import object has a name type of no known kind");
  }
}

struct ObjectSection {
  std::string name;
  ByteReader data;
};

std::vector<ObjectSection> objectSections(const ByteReader &member) {
  const std::size_t sectionCount = member.u16(2, "archive member");
  const std::size_t optionalSize = member.u16(16, "archive member");
  const ByteReader table = member.slice(kCoffHeaderSize + optionalSize,
                                        sectionCount * kSectionHeaderSize, "archive member");
  std::vector<ObjectSection> sections;
  for (std::size_t index = 0; index < sectionCount; ++index) {
    const std::size_t offset = index * kSectionHeaderSize;
    std::string name = table.text(offset, kSectionNameLength, "archive member");
    name.resize(std::min(name.size(), name.find('\0')));
    sections.push_back(
        {name, member.slice(table.u32(offset + 20, "archive member"),
                            table.u32(offset + 16, "archive member"), "archive member")});
  }
  return sections;
}

void readCoffImport(const ByteReader &member, ImportLibrary &library) {
  library.machines.insert(member.u16(0, "archive member"));
  const std::vector<ObjectSection> sections = objectSections(member);
  const bool describesDll =
      std::ranges::find(sections, kDescriptorSection, &ObjectSection::name) != sections.end();
  for (const ObjectSection &section : sections) {
    const ByteReader &data = section.data;
    if (section.name == kHintNameSection && describesDll && data.size() > 0) {
      library.dlls.insert(data.name(0, "name in an archive member"));
    } else if (section.name == kHintNameSection && data.size() > kHintSize) {
      library.exports.names.insert(data.name(kHintSize, "name in an archive member"));
      if (const std::uint16_t hint = data.u16(0, "archive member"); hint != 0) {
        library.exports.ordinals.insert(hint);
      }
    } else if (section.name == kGnuDllNameSection && data.size() > 0 &&
               data.u16(0, "archive member") != 0) {
      library.dlls.insert(data.name(0, "name in an archive member"));
    } else if (section.name == kLookupSection && data.size() == kLookupEntrySize) {
      const std::uint64_t entry = data.u64(0, "archive member");
      if ((entry & kImportByOrdinal) != 0) {
        library.exports.ordinals.insert(static_cast<std::uint32_t>(entry & kOrdinalMask));
      }
    }
  }
}

std::size_t memberSize(const ByteReader &header) {
  const std::string field =
      header.text(kMemberSizeField, kMemberSizeLength, "archive member header");
  std::size_t size = 0;
  const char *end = field.data() + field.size();
  const auto [digitsEnd, error] = std::from_chars(field.data(), end, size);
  if (error != std::errc() ||
      std::find_if(digitsEnd, end, [](char c) { return c != ' '; }) != end ||
      header.text(kMemberEndField, kMemberEnd.size(), "archive member header") != kMemberEnd) {
    throw FormatError("an archive member header is damaged");
  }
  return size;
}

} // namespace

bool looksLikeArchive(std::span<const std::uint8_t> bytes) {
  const ByteReader reader(bytes);
  return reader.size() >= kArchiveSignature.size() &&
         reader.text(0, kArchiveSignature.size(), "archive") == kArchiveSignature;
}

ImportLibrary readImportLibrary(std::span<const std::uint8_t> bytes) {
  if (!looksLikeArchive(bytes)) {
    throw FormatError("it does not start with an archive signature (!<arch>)",
                      FormatError::Kind::OtherKind);
  }
  const ByteReader file(bytes);
  ImportLibrary library;
  for (std::size_t offset = kArchiveSignature.size(); offset < file.size();) {
    const ByteReader header = file.slice(offset, kMemberHeaderSize, "archive member header");
    const std::size_t size = memberSize(header);
    const ByteReader member = file.slice(offset + kMemberHeaderSize, size, "archive member");
    const std::string name = header.text(0, kMemberNameLength, "archive member header");
    // "/123" names a member through the long-name table; every other name
    // starting with "/" is one of the linker's own tables.
    const bool index = name.front() == '/' && (name[1] < '0' || name[1] > '9');
    if (!index && member.size() >= kShortImportSize && member.u16(0, "archive member") == 0 &&
        member.u16(2, "archive member") == kShortImportSignature) {
      readShortImport(member, library);
    } else if (!index && member.size() >= kCoffHeaderSize &&
               std::ranges::find(kMachines, member.u16(0, "archive member"), &Machine::field) !=
                   kMachines.end()) {
      readCoffImport(member, library);
    }
    offset += kMemberHeaderSize + size + size % 2;
  }
  if (library.exports.names.empty() && library.exports.ordinals.empty()) {
    throw FormatError("it is an archive, but none of its members imports a function from a DLL",
                      FormatError::Kind::OtherKind);
  }
  return library;
}

} // namespace corvane::pe
