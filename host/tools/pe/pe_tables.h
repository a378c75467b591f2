// What the SDK check reads from Windows files: the functions a DLL imports,
// library by library, and the functions a DLL or an import library exports.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::pe {

// A file that is not what it was read as, or is cut off or damaged: the
// message says what is wrong in words a person can act on.
class FormatError : public std::runtime_error {
public:
  enum class Kind {
    Damaged,   // of the right kind, but cut off or with tables that point nowhere
    OtherKind, // not of the kind it was read as at all (no MZ, no PE header, 32-bit)
  };

  explicit FormatError(const std::string &what, Kind kind = Kind::Damaged)
      : std::runtime_error(what), kind_(kind) {}

  Kind kind() const { return kind_; }

private:
  Kind kind_;
};

// The machine field of a COFF header or an import object.
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;

// Text from a file, fit for a message of one line: every byte that is no
// printable ASCII (a hostile file's line break, say) reads as '?'.
inline std::string printable(std::string_view text) {
  std::string shown(text);
  std::ranges::replace_if(
      shown, [](char c) { return c < ' ' || c > '~'; }, '?');
  return shown;
}

// The machines a COFF object or an import object may be for, as a person
// knows each processor.
struct Machine {
  std::uint16_t field;
  std::string_view name;
};
inline constexpr std::array<Machine, 7> kMachines = {{{kMachineAmd64, "x64"},
                                                      {0xAA64, "ARM64"},
                                                      {0xA641, "ARM64EC"},
                                                      {0xA64E, "ARM64X"},
                                                      {0x014C, "x86"},
                                                      {0x01C4, "ARM"},
                                                      {0x0200, "Itanium"}}};

// A machine field as a person knows the processor, or its number in hex.
inline std::string machineName(std::uint16_t machine) {
  if (const auto known = std::ranges::find(kMachines, machine, &Machine::field);
      known != kMachines.end()) {
    return std::string(known->name);
  }
  std::array<char, sizeof "machine 0x1234"> hex{};
  std::snprintf(hex.data(), hex.size(), "machine 0x%04X", static_cast<unsigned>(machine));
  return hex.data();
}

// The layout both an image and a COFF object share: 40-byte section headers
// with an 8-byte name, and import lookup entries of 8 bytes, each an
// ordinal in its low 16 bits when the top bit is set, or the address of a
// 2-byte hint followed by the name.
inline constexpr std::size_t kSectionHeaderSize = 40;
inline constexpr std::size_t kSectionNameLength = 8;
inline constexpr std::size_t kLookupEntrySize = 8;
inline constexpr std::uint64_t kImportByOrdinal = 1ULL << 63U;
inline constexpr std::uint64_t kOrdinalMask = 0xFFFF;
inline constexpr std::size_t kHintSize = 2;

// One imported function: by name, or by ordinal when `name` is empty.
struct ImportedFunction {
  std::string name;
  std::optional<std::uint16_t> ordinal;
};

// The functions imported from one DLL, in the order the file lists them;
// `delayed` when they come from the delay-import table, which the DLL's own
// helper resolves on first call instead of the loader at load time.
struct ImportedLibrary {
  std::string dll;
  std::vector<ImportedFunction> functions;
  bool delayed = false;
};

// What a loader can resolve against a DLL: its exported names, and the
// ordinals that have a function behind them.
struct ExportSet {
  std::set<std::string> names;
  std::set<std::uint32_t> ordinals;

  bool provides(const ImportedFunction &function) const {
    return function.ordinal ? ordinals.contains(*function.ordinal) : names.contains(function.name);
  }
};

} // namespace corvane::pe
