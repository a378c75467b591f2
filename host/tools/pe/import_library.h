// Reading an import library (`pluginsdk.lib`, or MinGW's `.dll.a`): an
// archive whose members each stand for one function the DLL exports.
#pragma once

#include <cstdint>
#include <span>

#include "pe_tables.h"

namespace corvane::pe {

// Whether the bytes start as an archive does ("!<arch>\n").
bool looksLikeArchive(std::span<const std::uint8_t> bytes);

// The functions the library's DLL exports, from its members: short import
// objects (what Microsoft's tools write) and whole COFF objects with
// import sections (what GNU's write). Throws FormatError for anything that
// is no archive, a damaged one, or one with no import in it.
ExportSet readImportLibrary(std::span<const std::uint8_t> bytes);

} // namespace corvane::pe
