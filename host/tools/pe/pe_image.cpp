// The PE32+ layout: a DOS header leading to the PE signature, the COFF file
// header, the optional header with its data directories, the section table
// that maps the directories' relative addresses to file offsets, and the
// import and export directories themselves.
#include "pe_image.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "byte_reader.h"

namespace corvane::pe {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D; // "MZ"
constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::size_t kSignatureSize = 4;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionCountField = 2;
constexpr std::size_t kOptionalHeaderSizeField = 16;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kDirectoryCountField = 108;
constexpr std::size_t kDirectoriesField = 112;
constexpr std::size_t kDirectorySize = 8;
constexpr std::uint32_t kExportDirectory = 0;
constexpr std::uint32_t kImportDirectory = 1;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kLookupEntrySize = 8;
constexpr std::uint64_t kImportByOrdinal = 1ULL << 63U;
constexpr std::uint32_t kHintNameAddressMask = 0x7FFFFFFF;
constexpr std::uint64_t kOrdinalMask = 0xFFFF;
constexpr std::size_t kHintSize = 2;
// Ordinals are 16 bits, so no real table is longer; the bound keeps a
// hostile file from making the reader loop for long.
constexpr std::size_t kMaxEntries = 0x10000;

struct Section {
  std::uint32_t address;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
};

// A data directory's relative address; its size the tables themselves tell.
struct Directory {
  std::uint32_t address;
};

// The image as the loader would map it, for following relative addresses.
class MappedImage {
public:
  MappedImage(ByteReader file, std::vector<Section> sections)
      : file_(file), sections_(std::move(sections)) {}

  // The bytes of the file from `address` to the end of its section's data.
  ByteReader at(std::uint32_t address, std::string_view what) const {
    for (const Section &section : sections_) {
      if (address >= section.address && address - section.address < section.rawSize) {
        return file_.slice(section.rawOffset, section.rawSize, "data of a section")
            .from(address - section.address, what);
      }
    }
    throw FormatError("the " + std::string(what) + " lies outside every section of the file");
  }

private:
  ByteReader file_;
  std::vector<Section> sections_;
};

void checkCount(std::size_t count, std::string_view what) {
  if (count > kMaxEntries) {
    throw FormatError("the " + std::string(what) + " has more entries than any DLL can have");
  }
}

std::vector<ImportedLibrary> readImports(const MappedImage &image, Directory directory) {
  std::vector<ImportedLibrary> libraries;
  if (directory.address == 0) {
    return libraries;
  }
  const ByteReader descriptors = image.at(directory.address, "import directory");
  std::size_t total = 0;
  for (std::size_t offset = 0;; offset += kImportDescriptorSize) {
    const ByteReader descriptor =
        descriptors.slice(offset, kImportDescriptorSize, "import directory");
    const std::uint32_t lookupTable = descriptor.u32(0, "import directory");
    const std::uint32_t nameAddress = descriptor.u32(12, "import directory");
    const std::uint32_t addressTable = descriptor.u32(16, "import directory");
    if (lookupTable == 0 && nameAddress == 0 && addressTable == 0) {
      return libraries;
    }
    ImportedLibrary library{
        image.at(nameAddress, "name of an imported DLL").name(0, "name of an imported DLL"), {}};
    // Linkers that leave out the lookup table import through the address
    // table alone, which holds the same entries until the DLL is bound.
    const ByteReader entries =
        image.at(lookupTable != 0 ? lookupTable : addressTable, "import lookup table");
    for (std::size_t entry = 0;; entry += kLookupEntrySize) {
      const std::uint64_t value = entries.u64(entry, "import lookup table");
      if (value == 0) {
        break;
      }
      checkCount(++total, "import directory");
      if ((value & kImportByOrdinal) != 0) {
        library.functions.push_back({{}, static_cast<std::uint16_t>(value & kOrdinalMask)});
      } else {
        const auto hintName = static_cast<std::uint32_t>(value & kHintNameAddressMask);
        library.functions.push_back({image.at(hintName, "name of an imported function")
                                         .name(kHintSize, "name of an imported function"),
                                     std::nullopt});
      }
    }
    libraries.push_back(std::move(library));
  }
}

void readExports(const MappedImage &image, Directory directory, PeImage &result) {
  if (directory.address == 0) {
    return;
  }
  const ByteReader header = image.at(directory.address, "export directory");
  const std::uint32_t nameAddress = header.u32(12, "export directory");
  const std::uint32_t ordinalBase = header.u32(16, "export directory");
  const std::uint32_t functionCount = header.u32(20, "export directory");
  const std::uint32_t nameCount = header.u32(24, "export directory");
  checkCount(functionCount, "export address table");
  checkCount(nameCount, "export name table");
  if (nameAddress != 0) {
    result.exportedAs = image.at(nameAddress, "name of the DLL").name(0, "name of the DLL");
  }
  if (functionCount > 0) {
    const ByteReader functions =
        image.at(header.u32(28, "export directory"), "export address table");
    for (std::uint32_t index = 0; index < functionCount; ++index) {
      if (functions.u32(std::size_t{index} * 4, "export address table") != 0) {
        result.exports.ordinals.insert(ordinalBase + index);
      }
    }
  }
  if (nameCount > 0) {
    const ByteReader names = image.at(header.u32(32, "export directory"), "export name table");
    for (std::uint32_t index = 0; index < nameCount; ++index) {
      const std::uint32_t address = names.u32(std::size_t{index} * 4, "export name table");
      result.exports.names.insert(image.at(address, "exported name").name(0, "exported name"));
    }
  }
}

} // namespace

bool looksLikePeImage(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && ByteReader(bytes).u16(0, "DOS header") == kDosMagic;
}

PeImage readPeImage(std::span<const std::uint8_t> bytes) {
  if (!looksLikePeImage(bytes)) {
    throw FormatError("it does not start with a DOS header (MZ)");
  }
  const ByteReader file(bytes);
  const std::size_t peOffset = file.u32(kPeOffsetField, "DOS header");
  if (file.u32(peOffset, "PE header") != kPeSignature) {
    throw FormatError("its DOS header does not lead to a PE header");
  }
  const std::size_t fileHeaderOffset = peOffset + kSignatureSize;
  const ByteReader fileHeader = file.slice(fileHeaderOffset, kFileHeaderSize, "PE header");
  const std::uint16_t sectionCount = fileHeader.u16(kSectionCountField, "PE header");
  const std::uint16_t optionalSize = fileHeader.u16(kOptionalHeaderSizeField, "PE header");
  const std::size_t optionalOffset = fileHeaderOffset + kFileHeaderSize;
  const ByteReader optional = file.slice(optionalOffset, optionalSize, "optional header");
  const std::uint16_t magic = optional.u16(0, "optional header");
  if (magic == kPe32Magic) {
    throw FormatError("it is a 32-bit image, and the host loads 64-bit ones only");
  }
  if (magic != kPe32PlusMagic) {
    throw FormatError("its optional header is of no known kind");
  }
  const std::uint32_t directoryCount = optional.u32(kDirectoryCountField, "optional header");
  const auto directory = [&](std::uint32_t index) {
    if (index >= directoryCount) {
      return Directory{0};
    }
    const std::size_t offset = kDirectoriesField + std::size_t{index} * kDirectorySize;
    return Directory{optional.u32(offset, "data directories")};
  };

  const ByteReader table =
      file.slice(optionalOffset + optionalSize, std::size_t{sectionCount} * kSectionHeaderSize,
                 "section table");
  std::vector<Section> sections;
  for (std::size_t index = 0; index < sectionCount; ++index) {
    const std::size_t offset = index * kSectionHeaderSize;
    sections.push_back({table.u32(offset + 12, "section table"),
                        table.u32(offset + 16, "section table"),
                        table.u32(offset + 20, "section table")});
  }
  const MappedImage image(file, std::move(sections));

  PeImage result;
  result.imports = readImports(image, directory(kImportDirectory));
  readExports(image, directory(kExportDirectory), result);
  return result;
}

} // namespace corvane::pe
