// Reading a 64-bit Windows image (a DLL or a program): the functions it
// imports and the functions it exports, from its own tables.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "pe_tables.h"

namespace corvane::pe {

struct PeImage {
  // The COFF header's machine: kMachineAmd64 for x64.
  std::uint16_t machine = 0;
  bool isDll = false;
  // The name the export table gives the DLL; empty when it exports nothing.
  std::string exportedAs;
  ExportSet exports;
  std::vector<ImportedLibrary> imports;
};

// Whether the bytes start as an image does (the DOS header's "MZ").
bool looksLikePeImage(std::span<const std::uint8_t> bytes);

// Reads a PE32+ image's headers, section table, import and delay-import
// directories and export directory. Throws FormatError for anything that is
// no such image, a 32-bit one (Kind::OtherKind), or one whose sections or
// tables lie outside the file (Kind::Damaged).
PeImage readPeImage(std::span<const std::uint8_t> bytes);

} // namespace corvane::pe
