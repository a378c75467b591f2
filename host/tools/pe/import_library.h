// Reading an import library (`pluginsdk.lib`, or MinGW's `.dll.a`): an
// archive whose members each stand for one function the DLL exports.
#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <string>

#include "pe_tables.h"

namespace corvane::pe {

// Whether the bytes start as an archive does ("!<arch>\n").
bool looksLikeArchive(std::span<const std::uint8_t> bytes);

// What an import library stands for: the functions its DLL exports, and
// every DLL name and machine its members give (one each, in a library of
// one DLL for one machine).
struct ImportLibrary {
  ExportSet exports;
  std::set<std::string> dlls;
  std::set<std::uint16_t> machines;
};

// Reads the library's members: short import objects (what Microsoft's tools
// write) and whole COFF objects with import sections (what GNU's write).
// Throws FormatError for anything that is no archive or one with no import
// in it (Kind::OtherKind), or a damaged one.
ImportLibrary readImportLibrary(std::span<const std::uint8_t> bytes);

} // namespace corvane::pe
