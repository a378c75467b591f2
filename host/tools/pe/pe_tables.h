// What the SDK check reads from Windows files: the functions a DLL imports,
// library by library, and the functions a DLL or an import library exports.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::pe {

// A file that is not what it was read as, or is cut off or damaged: the
// message says what is wrong in words a person can act on.
class FormatError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// One imported function: by name, or by ordinal when `name` is empty.
struct ImportedFunction {
  std::string name;
  std::optional<std::uint16_t> ordinal;
};

// The functions imported from one DLL, in the order the file lists them.
struct ImportedLibrary {
  std::string dll;
  std::vector<ImportedFunction> functions;
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
