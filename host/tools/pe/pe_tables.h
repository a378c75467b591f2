// What the SDK check reads from Windows files: the functions a DLL imports,
// library by library, and the functions a DLL or an import library exports.
#pragma once

#include <cstdint>
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
  for (char &c : shown) {
    if (c < ' ' || c > '~') {
      c = '?';
    }
  }
  return shown;
}

// A machine field as a person knows the processor, or its number in hex.
inline std::string machineName(std::uint16_t machine) {
  switch (machine) {
  case kMachineAmd64:
    return "x64";
  case 0xAA64:
    return "ARM64";
  case 0xA641:
    return "ARM64EC";
  case 0xA64E:
    return "ARM64X";
  case 0x014C:
    return "x86";
  case 0x01C4:
    return "ARM";
  case 0x0200:
    return "Itanium";
  default: {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string hex = "machine 0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
      hex += kDigits[(machine >> static_cast<unsigned>(shift)) & 0xFU];
    }
    return hex;
  }
  }
}

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
