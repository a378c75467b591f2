// Compares the plugin's import table for the SDK library with what the
// host's SDK library, or its import library, exports.
#include "check_sdk.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <utility>

#include "host/session/platform/utf8_path.h"
#include "host/tools/common/verb.h"
#include "host/tools/pe/import_library.h"
#include "host/tools/pe/pe_image.h"
#include "readable_name.h"

namespace corvane::sdkcheck {

namespace {

constexpr std::string_view kVerb = "check-sdk";
// The DLL the plugin links against for every SDK operation.
constexpr std::string_view kSdkLibrary = "pluginsdk.dll";
// Larger than any DLL or import library; a file past it is not read whole.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 30U;

constexpr std::string_view kUsage =
    "usage: corvane-sim check-sdk PLUGIN.dll HOST_SDK\n"
    "\n"
    "Lists every function PLUGIN.dll imports from pluginsdk.dll that HOST_SDK,\n"
    "the host's own pluginsdk.dll or its import library (pluginsdk.lib), does\n"
    "not export: a plugin importing such a function would not load into that\n"
    "host. Run it before copying the plugin into the host's plugins folder.\n"
    "Exit status: 0 every import is exported (one line says so), 1 some are\n"
    "missing (each is listed), 2 usage error or a file that cannot be read.\n";

// The whole file, or why it cannot be read.
std::vector<std::uint8_t> readFile(const std::string &name) {
  const std::filesystem::path path = platform::pathFromUtf8(name);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw pe::FormatError("it is a folder");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    throw pe::FormatError(error.message());
  }
  if (size > kMaxFileSize) {
    throw pe::FormatError("it is larger than any DLL or import library");
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size))) {
    throw pe::FormatError("it cannot be read");
  }
  return bytes;
}

bool sameLibrary(std::string_view left, std::string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

// What the plugin imports from the SDK library, each function once, in the
// order its import table lists them.
std::vector<pe::ImportedFunction> sdkImports(const pe::PeImage &plugin) {
  std::vector<pe::ImportedFunction> functions;
  for (const pe::ImportedLibrary &library : plugin.imports) {
    if (!sameLibrary(library.dll, kSdkLibrary)) {
      continue;
    }
    for (const pe::ImportedFunction &function : library.functions) {
      if (std::none_of(functions.begin(), functions.end(), [&](const pe::ImportedFunction &seen) {
            return seen.name == function.name && seen.ordinal == function.ordinal;
          })) {
        functions.push_back(function);
      }
    }
  }
  return functions;
}

pe::ExportSet hostExports(const std::vector<std::uint8_t> &bytes) {
  if (pe::looksLikePeImage(bytes)) {
    return pe::readPeImage(bytes).exports;
  }
  if (pe::looksLikeArchive(bytes)) {
    return pe::readImportLibrary(bytes);
  }
  throw pe::FormatError("it is neither a DLL (no MZ header) nor an import library (no !<arch> "
                        "signature)");
}

std::string describe(const pe::ImportedFunction &function) {
  if (function.ordinal) {
    return "ordinal " + std::to_string(*function.ordinal);
  }
  const auto readable = readableName(function.name);
  return readable ? *readable + " (" + function.name + ")" : function.name;
}

std::string functions(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " function" : " functions");
}

} // namespace

int checkSdkMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err) {
  if (sim::asksForHelp(words)) {
    out << kUsage;
    return kExitPassed;
  }
  const auto fail = [&err](ErrorKind kind, std::string message) {
    return sim::reportVerbError(err, kVerb, Error{kind, std::move(message)}, kUsage);
  };
  for (const std::string &word : words) {
    if (word.starts_with('-')) {
      return fail(ErrorKind::BadInput, "unknown option " + word);
    }
  }
  if (words.size() != 2) {
    return fail(ErrorKind::BadInput, "needs two files, the plugin and the host's SDK library");
  }
  const std::string &pluginName = words[0];
  const std::string &hostName = words[1];
  std::vector<pe::ImportedFunction> imports;
  try {
    imports = sdkImports(pe::readPeImage(readFile(pluginName)));
  } catch (const pe::FormatError &problem) {
    return fail(ErrorKind::Unreadable,
                "cannot read " + pluginName + " as a DLL: " + problem.what());
  }
  pe::ExportSet exports;
  try {
    exports = hostExports(readFile(hostName));
  } catch (const pe::FormatError &problem) {
    return fail(ErrorKind::Unreadable,
                "cannot read " + hostName + " as a DLL or an import library: " + problem.what());
  }

  std::vector<pe::ImportedFunction> missing;
  std::copy_if(imports.begin(), imports.end(), std::back_inserter(missing),
               [&](const pe::ImportedFunction &function) { return !exports.provides(function); });
  if (imports.empty()) {
    out << pluginName << " imports nothing from " << kSdkLibrary << '\n';
    return kExitPassed;
  }
  if (missing.empty()) {
    out << (imports.size() == 1 ? "the " : "all ") << functions(imports.size()) << " that "
        << pluginName << " imports from " << kSdkLibrary << (imports.size() == 1 ? " is" : " are")
        << " exported by " << hostName << '\n';
    return kExitPassed;
  }
  out << missing.size() << " of the " << functions(imports.size()) << " that " << pluginName
      << " imports from " << kSdkLibrary << (missing.size() == 1 ? " is" : " are")
      << " not exported by " << hostName << ":\n";
  for (const pe::ImportedFunction &function : missing) {
    out << "  " << describe(function) << '\n';
  }
  return kExitFailed;
}

} // namespace corvane::sdkcheck
