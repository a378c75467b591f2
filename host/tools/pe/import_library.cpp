// An archive is its signature and then members, each a 60-byte text header
// (name, dates, owner, mode, decimal size, "`\n") and its data, padded to an
// even length. The linker's symbol indexes and long-name table say nothing
// about exports and are skipped.
#include "import_library.h"

#include <string>
#include <string_view>

#include "byte_reader.h"

namespace corvane::pe {

namespace {

constexpr std::string_view kArchiveSignature = "!<arch>\n";
constexpr std::string_view kMemberEnd = "`\n";

// Where a member header's fields stand, and its size.
struct MemberHeader {
  std::size_t size = 60;
  std::size_t nameLength = 16;
  std::size_t sizeField = 48;
  std::size_t sizeLength = 10;
  std::size_t endField = 58;
};
constexpr MemberHeader kMember;

// A short import object: machine-independent fields, then the symbol's
// name, the DLL's name and, for one name type, the name to import by.
struct ShortImportHeader {
  std::uint16_t signature = 0xFFFF;
  std::size_t size = 20;
  std::size_t dataSizeField = 12;
  std::size_t ordinalField = 16;
  std::size_t typeField = 18;
};
constexpr ShortImportHeader kShortImport;
// The name type: bits 2 to 4 of the type field.
constexpr unsigned kNameTypeShift = 2;
constexpr unsigned kNameTypeMask = 0x7;
enum NameType : unsigned { Ordinal = 0, Name = 1, NoPrefix = 2, Undecorate = 3, ExportAs = 4 };

// A whole COFF object for x64, whose import sections hold the hint and name
// (.idata$6) or, for an import by ordinal, a lookup entry with the ordinal
// (.idata$4).
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSectionNameLength = 8;
constexpr std::string_view kHintNameSection = ".idata$6";
constexpr std::string_view kLookupSection = ".idata$4";
constexpr std::size_t kLookupEntrySize = 8;
constexpr std::uint64_t kImportByOrdinal = 1ULL << 63U;
constexpr std::uint64_t kOrdinalMask = 0xFFFF;
constexpr std::size_t kHintSize = 2;

// The name a DLL exports a symbol under, for the name types that derive it
// from the symbol: without a leading `?`, `@` or `_`, and for Undecorate cut
// at the first `@`.
std::string exportedName(std::string symbol, unsigned nameType) {
  if (!symbol.empty() &&
      (symbol.front() == '?' || symbol.front() == '@' || symbol.front() == '_')) {
    symbol.erase(0, 1);
  }
  if (nameType == Undecorate) {
    symbol = symbol.substr(0, symbol.find('@'));
  }
  return symbol;
}

void readShortImport(const ByteReader &member, ExportSet &exports) {
  const std::uint16_t ordinalOrHint = member.u16(kShortImport.ordinalField, "import object");
  const unsigned nameType =
      (member.u16(kShortImport.typeField, "import object") >> kNameTypeShift) & kNameTypeMask;
  const ByteReader strings = member.slice(
      kShortImport.size, member.u32(kShortImport.dataSizeField, "import object"), "import object");
  const std::string symbol = strings.name(0, "name in an import object");
  switch (nameType) {
  case Ordinal:
    exports.ordinals.insert(ordinalOrHint);
    return;
  case Name:
    exports.names.insert(symbol);
    return;
  case NoPrefix:
  case Undecorate:
    exports.names.insert(exportedName(symbol, nameType));
    return;
  case ExportAs: {
    const std::string dll = strings.name(symbol.size() + 1, "name in an import object");
    exports.names.insert(strings.name(symbol.size() + dll.size() + 2, "name in an import object"));
    return;
  }
  default:
    throw FormatError("an import object has a name type of no known kind");
  }
}

void readCoffImport(const ByteReader &member, ExportSet &exports) {
  const std::size_t sectionCount = member.u16(2, "archive member");
  const std::size_t optionalSize = member.u16(16, "archive member");
  const ByteReader table = member.slice(kCoffHeaderSize + optionalSize,
                                        sectionCount * kSectionHeaderSize, "archive member");
  for (std::size_t index = 0; index < sectionCount; ++index) {
    const std::size_t offset = index * kSectionHeaderSize;
    std::string name = table.text(offset, kSectionNameLength, "archive member");
    name = name.substr(0, name.find('\0'));
    if (name != kHintNameSection && name != kLookupSection) {
      continue;
    }
    const ByteReader data =
        member.slice(table.u32(offset + 20, "archive member"),
                     table.u32(offset + 16, "archive member"), "archive member");
    if (name == kHintNameSection && data.size() > kHintSize) {
      exports.names.insert(data.name(kHintSize, "name in an archive member"));
    } else if (name == kLookupSection && data.size() == kLookupEntrySize) {
      const std::uint64_t entry = data.u64(0, "archive member");
      if ((entry & kImportByOrdinal) != 0) {
        exports.ordinals.insert(static_cast<std::uint32_t>(entry & kOrdinalMask));
      }
    }
  }
}

std::size_t memberSize(const ByteReader &header) {
  const std::string field =
      header.text(kMember.sizeField, kMember.sizeLength, "archive member header");
  std::size_t size = 0;
  std::size_t index = 0;
  for (; index < field.size() && field[index] >= '0' && field[index] <= '9'; ++index) {
    size = size * 10 + static_cast<std::size_t>(field[index] - '0');
  }
  if (index == 0 || field.find_first_not_of(' ', index) != std::string::npos ||
      header.text(kMember.endField, kMemberEnd.size(), "archive member header") != kMemberEnd) {
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

ExportSet readImportLibrary(std::span<const std::uint8_t> bytes) {
  if (!looksLikeArchive(bytes)) {
    throw FormatError("it does not start with an archive signature (!<arch>)");
  }
  const ByteReader file(bytes);
  ExportSet exports;
  for (std::size_t offset = kArchiveSignature.size(); offset < file.size();) {
    const ByteReader header = file.slice(offset, kMember.size, "archive member header");
    const std::size_t size = memberSize(header);
    const ByteReader member = file.slice(offset + kMember.size, size, "archive member");
    const std::string name = header.text(0, kMember.nameLength, "archive member header");
    // "/123" names a member through the long-name table; every other name
    // starting with "/" is one of the linker's own tables.
    const bool index = name.front() == '/' && (name[1] < '0' || name[1] > '9');
    if (!index && member.size() >= kShortImport.size && member.u16(0, "archive member") == 0 &&
        member.u16(2, "archive member") == kShortImport.signature) {
      readShortImport(member, exports);
    } else if (!index && member.size() >= kCoffHeaderSize &&
               member.u16(0, "archive member") == kMachineAmd64) {
      readCoffImport(member, exports);
    }
    offset += kMember.size + size + size % 2;
  }
  if (exports.names.empty() && exports.ordinals.empty()) {
    throw FormatError("it is an archive, but none of its members imports a function from a DLL");
  }
  return exports;
}

} // namespace corvane::pe
