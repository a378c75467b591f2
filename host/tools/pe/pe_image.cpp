// The PE32+ layout: a DOS header leading to the PE signature, the COFF file
// header, the optional header with its data directories, the section table
// that maps the directories' relative addresses to file offsets, and the
// import and export directories themselves.
#include "pe_image.h"

#include <algorithm>
#include <string_view>

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
constexpr std::size_t kCharacteristicsField = 18;
constexpr std::uint16_t kImageFileDll = 0x2000;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kDirectoryCountField = 108;
constexpr std::size_t kDirectoriesField = 112;
constexpr std::size_t kDirectorySize = 8;
constexpr std::size_t kImageBaseField = 24;
constexpr std::size_t kHeadersSizeField = 60;
constexpr std::uint32_t kExportDirectory = 0;
constexpr std::uint32_t kImportDirectory = 1;
constexpr std::uint32_t kCertificateDirectory = 4;
constexpr std::uint32_t kDelayImportDirectory = 13;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kDelayDescriptorSize = 32;
// Set in a delay-import descriptor whose addresses are relative, as every
// 64-bit linker writes them; without it they are virtual addresses.
constexpr std::uint32_t kDelayRelativeAddresses = 1;
constexpr std::uint32_t kHintNameAddressMask = 0x7FFFFFFF;
// Ordinals are 16 bits, so no real table is longer; the bound keeps a
// hostile file from making the reader loop for long.
constexpr std::size_t kMaxEntries = 0x10000;

struct Section {
  std::uint32_t address;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
};

// A data directory's relative address (a file offset for the certificate
// table) and size.
struct Directory {
  std::uint32_t address;
  std::uint32_t size;
};

// The image as the loader would map it, for following relative addresses.
// Every section's data lies inside the file (readSections), so only the
// address can be wrong.
struct MappedImage {
  ByteReader file;
  std::vector<Section> sections;

  // The bytes of the file from `address` to the end of its section's data.
  ByteReader at(std::uint32_t address, std::string_view what) const {
    for (const Section &section : sections) {
      if (address >= section.address && address - section.address < section.rawSize) {
        const std::uint32_t into = address - section.address;
        return file.slice(std::size_t{section.rawOffset} + into, section.rawSize - into, what);
      }
    }
    throw FormatError("the " + std::string(what) + " lies outside every section of the file");
  }

  // The NUL-terminated name `skip` bytes after `address`.
  std::string name(std::uint32_t address, std::string_view what, std::size_t skip = 0) const {
    return at(address, what).name(skip, what);
  }
};

void checkCount(std::size_t count, std::string_view what) {
  if (count > kMaxEntries) {
    throw FormatError("the " + std::string(what) + " has more entries than any DLL can have");
  }
}

// The functions of one import lookup table (or delay-import name table), up
// to its null entry; `total` counts every entry of the image against the
// bound a real one stays under.
std::vector<ImportedFunction> readLookupTable(const MappedImage &image, std::uint32_t address,
                                              std::size_t &total) {
  std::vector<ImportedFunction> functions;
  const ByteReader entries = image.at(address, "import lookup table");
  for (std::size_t entry = 0;; entry += kLookupEntrySize) {
    const std::uint64_t value = entries.u64(entry, "import lookup table");
    if (value == 0) {
      return functions;
    }
    checkCount(++total, "import directory");
    if ((value & kImportByOrdinal) != 0) {
      functions.push_back({{}, static_cast<std::uint16_t>(value & kOrdinalMask)});
    } else {
      const auto hintName = static_cast<std::uint32_t>(value & kHintNameAddressMask);
      functions.push_back(
          {image.name(hintName, "name of an imported function", kHintSize), std::nullopt});
    }
  }
}

// Calls `read` with each `size`-byte descriptor of the table at `directory`
// (named `what` in errors) until it returns false, at the table's end.
template <typename Read>
void forEachDescriptor(const MappedImage &image, Directory directory, std::size_t size,
                       const char *what, const Read &read) {
  if (directory.address == 0) {
    return;
  }
  const ByteReader descriptors = image.at(directory.address, what);
  std::size_t offset = 0;
  while (read(descriptors.slice(offset, size, what))) {
    offset += size;
  }
}

void readImports(const MappedImage &image, Directory directory, std::size_t &total,
                 std::vector<ImportedLibrary> &libraries) {
  const char *what = "import directory";
  forEachDescriptor(image, directory, kImportDescriptorSize, what, [&](const ByteReader &entry) {
    const std::uint32_t lookupTable = entry.u32(0, what);
    const std::uint32_t nameAddress = entry.u32(12, what);
    const std::uint32_t addressTable = entry.u32(16, what);
    if (lookupTable == 0 && nameAddress == 0 && addressTable == 0) {
      return false;
    }
    // Linkers that leave out the lookup table import through the address
    // table alone, which holds the same entries until the DLL is bound.
    libraries.push_back(
        {image.name(nameAddress, "name of an imported DLL"),
         readLookupTable(image, lookupTable != 0 ? lookupTable : addressTable, total), false});
    return true;
  });
}

// The delay-import table: one descriptor per DLL (attributes, name, module
// handle, address table, name table, ...), its names read as the import
// table's.
void readDelayImports(const MappedImage &image, Directory directory, std::uint64_t imageBase,
                      std::size_t &total, std::vector<ImportedLibrary> &libraries) {
  const char *what = "delay-import directory";
  forEachDescriptor(image, directory, kDelayDescriptorSize, what, [&](const ByteReader &entry) {
    const std::uint32_t attributes = entry.u32(0, what);
    std::uint64_t nameAddress = entry.u32(4, what);
    std::uint64_t nameTable = entry.u32(16, what);
    if (nameAddress == 0 && nameTable == 0) {
      return false;
    }
    if ((attributes & kDelayRelativeAddresses) == 0) {
      if (nameAddress < imageBase || nameTable < imageBase) {
        throw FormatError("the delay-import directory points outside the image");
      }
      nameAddress -= imageBase;
      nameTable -= imageBase;
    }
    libraries.push_back(
        {image.name(static_cast<std::uint32_t>(nameAddress), "name of an imported DLL"),
         readLookupTable(image, static_cast<std::uint32_t>(nameTable), total), true});
    return true;
  });
}

void readExports(const MappedImage &image, Directory directory, PeImage &result) {
  if (directory.address == 0) {
    return;
  }
  const char *what = "export directory";
  const ByteReader header = image.at(directory.address, what);
  const std::uint32_t nameAddress = header.u32(12, what);
  const std::uint32_t ordinalBase = header.u32(16, what);
  const std::uint32_t functionCount = header.u32(20, what);
  const std::uint32_t nameCount = header.u32(24, what);
  checkCount(functionCount, "export address table");
  checkCount(nameCount, "export name table");
  if (nameAddress != 0) {
    result.exportedAs = image.name(nameAddress, "name of the DLL");
  }
  if (functionCount > 0) {
    const ByteReader functions = image.at(header.u32(28, what), "export address table");
    for (std::uint32_t index = 0; index < functionCount; ++index) {
      if (functions.u32(std::size_t{index} * 4, "export address table") != 0) {
        result.exports.ordinals.insert(ordinalBase + index);
      }
    }
  }
  if (nameCount > 0) {
    const ByteReader names = image.at(header.u32(32, what), "export name table");
    for (std::uint32_t index = 0; index < nameCount; ++index) {
      result.exports.names.insert(
          image.name(names.u32(std::size_t{index} * 4, "export name table"), "exported name"));
    }
  }
}

// Where the file header and the optional header lie; the machine and the
// section count come from the one, the directories from the other.
struct Headers {
  std::uint16_t machine = 0;
  bool isDll = false;
  std::uint16_t sectionCount = 0;
  std::size_t sectionTableOffset = 0;
  ByteReader optional;
};

Headers readHeaders(const ByteReader &file) {
  const std::size_t peOffset = file.u32(kPeOffsetField, "DOS header");
  if (peOffset > file.size() || file.size() - peOffset < kSignatureSize ||
      file.u32(peOffset, "PE header") != kPeSignature) {
    throw FormatError("its DOS header does not lead to a PE header: it is a DOS program or "
                      "no Windows file at all",
                      FormatError::Kind::OtherKind);
  }
  const std::size_t fileHeaderOffset = peOffset + kSignatureSize;
  const ByteReader fileHeader = file.slice(fileHeaderOffset, kFileHeaderSize, "PE header");
  const std::uint16_t optionalSize = fileHeader.u16(kOptionalHeaderSizeField, "PE header");
  const std::size_t optionalOffset = fileHeaderOffset + kFileHeaderSize;
  Headers headers{fileHeader.u16(0, "PE header"),
                  (fileHeader.u16(kCharacteristicsField, "PE header") & kImageFileDll) != 0,
                  fileHeader.u16(kSectionCountField, "PE header"), optionalOffset + optionalSize,
                  file.slice(optionalOffset, optionalSize, "optional header")};
  const std::uint16_t magic = headers.optional.u16(0, "optional header");
  if (magic == kPe32Magic) {
    throw FormatError("it is a 32-bit image, and the host loads 64-bit ones only",
                      FormatError::Kind::OtherKind);
  }
  if (magic != kPe32PlusMagic) {
    throw FormatError("its optional header is of no known kind");
  }
  if (headers.optional.u32(kHeadersSizeField, "optional header") > file.size()) {
    throw FormatError("its headers reach past the end of the file");
  }
  return headers;
}

// Every section's data lies inside the file: a file cut off after its
// headers, or missing its last sections, is refused here even when the
// tables this check reads happen to lie before the cut.
std::vector<Section> readSections(const ByteReader &file, const Headers &headers) {
  const ByteReader table =
      file.slice(headers.sectionTableOffset, std::size_t{headers.sectionCount} * kSectionHeaderSize,
                 "section table");
  std::vector<Section> sections;
  for (std::size_t index = 0; index < headers.sectionCount; ++index) {
    const std::size_t offset = index * kSectionHeaderSize;
    const Section section{table.u32(offset + 12, "section table"),
                          table.u32(offset + 16, "section table"),
                          table.u32(offset + 20, "section table")};
    if (std::size_t{section.rawOffset} + section.rawSize > file.size()) {
      std::string name = table.text(offset, kSectionNameLength, "section table");
      name.resize(std::min(name.size(), name.find('\0')));
      throw FormatError("its section " + printable(name) + " lies past the end of the file");
    }
    sections.push_back(section);
  }
  return sections;
}

} // namespace

bool looksLikePeImage(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && ByteReader(bytes).u16(0, "DOS header") == kDosMagic;
}

PeImage readPeImage(std::span<const std::uint8_t> bytes) {
  if (!looksLikePeImage(bytes)) {
    throw FormatError("it does not start with a DOS header (MZ)", FormatError::Kind::OtherKind);
  }
  const ByteReader file(bytes);
  const Headers headers = readHeaders(file);
  const std::uint32_t directoryCount =
      headers.optional.u32(kDirectoryCountField, "optional header");
  const auto directory = [&](std::uint32_t index) {
    if (index >= directoryCount) {
      return Directory{0, 0};
    }
    const std::size_t offset = kDirectoriesField + std::size_t{index} * kDirectorySize;
    return Directory{headers.optional.u32(offset, "data directories"),
                     headers.optional.u32(offset + 4, "data directories")};
  };
  // The certificate table is the one directory given as a file offset.
  const Directory certificates = directory(kCertificateDirectory);
  if (certificates.address != 0 &&
      std::size_t{certificates.address} + certificates.size > file.size()) {
    throw FormatError("its certificate table lies past the end of the file");
  }
  const MappedImage image{file, readSections(file, headers)};

  PeImage result;
  result.machine = headers.machine;
  result.isDll = headers.isDll;
  std::size_t total = 0;
  readImports(image, directory(kImportDirectory), total, result.imports);
  readDelayImports(image, directory(kDelayImportDirectory),
                   headers.optional.u64(kImageBaseField, "optional header"), total, result.imports);
  readExports(image, directory(kExportDirectory), result);
  return result;
}

} // namespace corvane::pe
