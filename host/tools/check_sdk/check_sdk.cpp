// Compares the plugin's import tables for the SDK library with what the
// host's SDK library, or its import library, exports. Each file is first
// held to being what it was given as: an x64 DLL, the plugin one importing
// from pluginsdk.dll, the SDK one that is pluginsdk.dll or stands for it.
#include "check_sdk.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

#include "host/base/utf8_path.h"
#include "host/tools/pe/import_library.h"
#include "host/tools/pe/pe_image.h"
#include "host/tools/program/verb.h"
#include "readable_name.h"

namespace corvane::sdkcheck {

namespace {

// The DLL the plugin links against for every SDK operation.
const std::string kSdkLibrary = "pluginsdk.dll";
// Larger than any DLL or import library; a file past it is not read whole.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 30U;

// A file that is not what it was given as: the one error line, status 2.
class Refusal : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> readFile(const std::string &name) {
  const std::filesystem::path path = platform::pathFromUtf8(name);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw Refusal("cannot read " + name + ": it is a folder");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    throw Refusal("cannot read " + name + ": " + error.message());
  }
  if (size > kMaxFileSize) {
    throw Refusal(name + " is larger than any DLL or import library");
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size))) {
    throw Refusal("cannot read " + name);
  }
  return bytes;
}

bool sameLibrary(std::string_view left, std::string_view right) {
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  return std::ranges::equal(left, right, {}, lower, lower);
}

void requireX64(const std::string &name, std::uint16_t machine, std::string_view kind) {
  if (machine != pe::kMachineAmd64) {
    throw Refusal(name + " is " + std::string(kind) + " for " + pe::machineName(machine) +
                  ": the host runs on x64 and loads x64 files only");
  }
}

// A function the plugin imports from the SDK library; `delayed` when only
// its delay-import table names it.
struct SdkImport {
  pe::ImportedFunction function;
  bool delayed = false;
};

// What `read` reads from the file `name`, or the refusal of the file, as
// not `kind` or as damaged, when it cannot.
template <typename Read>
auto readOrRefuse(const std::string &name, std::string_view kind, const Read &read) {
  try {
    return read();
  } catch (const pe::FormatError &problem) {
    throw Refusal(name +
                  (problem.kind() == pe::FormatError::Kind::OtherKind
                       ? " is not " + std::string(kind) + ": "
                       : std::string(" is cut off or damaged: ")) +
                  problem.what());
  }
}

// A Linux build's library given for a Windows file: said as such, with
// where the Windows one comes from.
void refuseLinuxLibrary(const std::string &name, std::span<const std::uint8_t> bytes) {
  static constexpr std::array<std::uint8_t, 4> kElfMagic{0x7F, 'E', 'L', 'F'};
  if (bytes.size() >= kElfMagic.size() &&
      std::equal(kElfMagic.begin(), kElfMagic.end(), bytes.begin())) {
    throw Refusal(name + " is not a Windows DLL: it is a Linux library or program (ELF), and a " +
                  "Linux build makes no DLL; the msvc preset (cmake --workflow --preset msvc) " +
                  "builds vexlo.dll and pluginsdk.dll into build/msvc/bin/");
  }
}

// `bytes` read as an x64 Windows DLL named `name`, or the refusal.
pe::PeImage readDll(const std::string &name, std::span<const std::uint8_t> bytes) {
  refuseLinuxLibrary(name, bytes);
  pe::PeImage image = readOrRefuse(name, "a Windows DLL", [&] { return pe::readPeImage(bytes); });
  if (!image.isDll) {
    throw Refusal(name + " is not a Windows DLL: it is a Windows program, which a host runs "
                         "rather than loads");
  }
  requireX64(name, image.machine, "a DLL");
  return image;
}

// What the plugin imports from the SDK library, at load time or delayed,
// each function once, in the order its tables list them.
std::vector<SdkImport> sdkImports(const std::string &name, std::span<const std::uint8_t> bytes) {
  const pe::PeImage plugin = readDll(name, bytes);
  std::vector<SdkImport> imports;
  // Where each function stands in `imports`, so that removing duplicates
  // stays n log n for however many imports a file lists.
  std::map<std::pair<std::string, int>, std::size_t> seen;
  for (const pe::ImportedLibrary &library : plugin.imports) {
    if (!sameLibrary(library.dll, kSdkLibrary)) {
      continue;
    }
    for (const pe::ImportedFunction &function : library.functions) {
      const auto [at, added] = seen.emplace(
          std::pair{function.name, function.ordinal ? int{*function.ordinal} : -1}, imports.size());
      if (added) {
        imports.push_back({function, library.delayed});
      }
      imports[at->second].delayed &= library.delayed;
    }
  }
  if (imports.empty()) {
    throw Refusal(name + " imports nothing from " + kSdkLibrary + ": it is no plugin of this host");
  }
  return imports;
}

pe::ExportSet dllExports(const std::string &name, std::span<const std::uint8_t> bytes) {
  const pe::PeImage sdk = readDll(name, bytes);
  if (sdk.exportedAs.empty()) {
    throw Refusal(name + " exports nothing: it is not the host's " + kSdkLibrary);
  }
  if (!sameLibrary(sdk.exportedAs, kSdkLibrary)) {
    throw Refusal(name + " is " + pe::printable(sdk.exportedAs) +
                  " (its export table says so), not the host's " + kSdkLibrary);
  }
  return sdk.exports;
}

pe::ExportSet libraryExports(const std::string &name, std::span<const std::uint8_t> bytes) {
  const pe::ImportLibrary library =
      readOrRefuse(name, "an import library", [&] { return pe::readImportLibrary(bytes); });
  for (const std::uint16_t machine : library.machines) {
    requireX64(name, machine, "an import library");
  }
  std::string dlls;
  bool others = false;
  for (const std::string &dll : library.dlls) {
    dlls += (dlls.empty() ? "" : " and ") + pe::printable(dll);
    others = others || !sameLibrary(dll, kSdkLibrary);
  }
  if (others) {
    throw Refusal(name + " is an import library of " + dlls + ", not of " + kSdkLibrary + " alone");
  }
  return library.exports;
}

pe::ExportSet hostExports(const std::string &name, std::span<const std::uint8_t> bytes) {
  if (pe::looksLikePeImage(bytes)) {
    return dllExports(name, bytes);
  }
  if (pe::looksLikeArchive(bytes)) {
    return libraryExports(name, bytes);
  }
  refuseLinuxLibrary(name, bytes);
  throw Refusal(name + " is neither a Windows DLL (no MZ header) nor an import library (no " +
                "!<arch> signature)");
}

std::string describe(const pe::ImportedFunction &function) {
  if (function.ordinal) {
    return "ordinal " + std::to_string(*function.ordinal);
  }
  const auto readable = readableName(function.name);
  return readable ? pe::printable(*readable) + " (" + pe::printable(function.name) + ")"
                  : pe::printable(function.name);
}

std::string functions(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " function" : " functions");
}

// Whether the host exports every function the plugin imports; if not, which
// it does not and what follows for the player: an import the loader resolves
// stops the plugin loading, one only delay-loaded fails when first called.
std::string report(const std::string &pluginName, const std::string &hostName,
                   const std::vector<SdkImport> &imports, const std::vector<SdkImport> &missing) {
  const std::string imported = " that " + pluginName + " imports from " + kSdkLibrary;
  if (missing.empty()) {
    return (imports.size() == 1 ? "the " : "all ") + functions(imports.size()) + imported +
           (imports.size() == 1 ? " is" : " are") + " exported by " + hostName + '\n';
  }
  std::string text = std::to_string(missing.size()) + " of the " + functions(imports.size()) +
                     imported + (missing.size() == 1 ? " is" : " are") + " not exported by " +
                     hostName + ":\n";
  for (const SdkImport &function : missing) {
    text += "  " + describe(function.function) + '\n';
  }
  const bool loadTime = !std::ranges::all_of(missing, &SdkImport::delayed);
  return text + pluginName +
         (loadTime ? " will not load into this host"
                   : " loads into this host but fails when it first calls one of them") +
         ": do not copy it into the host's plugins folder; it needs a build made against this "
         "version of the host's SDK\n";
}

} // namespace

const Program kCheckSdkVerb{
    "corvane-sim check-sdk",
    "usage: corvane-sim check-sdk PLUGIN.dll HOST_SDK\n"
    "\n"
    "Lists every function PLUGIN.dll imports from pluginsdk.dll that HOST_SDK,\n"
    "the host's own pluginsdk.dll or its import library (pluginsdk.lib), does\n"
    "not export: a plugin importing such a function would not load into that\n"
    "host. Run it before copying the plugin into the host's plugins folder.\n"
    "Exit status: 0 every import is exported (one line says so), 1 some are\n"
    "missing (each is listed: do not copy the plugin), 2 usage error, or a\n"
    "file that is not what it should be (one line says what it is).\n"};

Finding checkSdk(const std::string &pluginName, std::span<const std::uint8_t> plugin,
                 const std::string &hostName, std::span<const std::uint8_t> host) {
  try {
    const std::vector<SdkImport> imports = sdkImports(pluginName, plugin);
    const pe::ExportSet exports = hostExports(hostName, host);
    std::vector<SdkImport> missing;
    std::copy_if(imports.begin(), imports.end(), std::back_inserter(missing),
                 [&](const SdkImport &function) { return !exports.provides(function.function); });
    return {missing.empty() ? Outcome::Success : Outcome::PluginFailed,
            report(pluginName, hostName, imports, missing),
            {}};
  } catch (const Refusal &refused) {
    return {Outcome::BadInput, {}, refused.what()};
  }
}

int checkSdkMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err,
                 const Program &program) {
  if (sim::asksForHelp(words)) {
    out << program.usage;
    return exitStatus(Outcome::Success);
  }
  const auto usageError = [&](const std::string &message) {
    err << program.name << ": " << message << '\n' << program.usage;
    return exitStatus(Outcome::BadInput);
  };
  for (const std::string &word : words) {
    if (word.starts_with('-')) {
      return usageError("unknown option " + word);
    }
  }
  if (words.size() != 2) {
    return usageError("needs two files, the plugin and the host's SDK library");
  }
  Finding finding;
  try {
    const std::vector<std::uint8_t> plugin = readFile(words[0]);
    finding = checkSdk(words[0], plugin, words[1], readFile(words[1]));
  } catch (const Refusal &refused) {
    finding = {Outcome::BadInput, {}, refused.what()};
  }
  out << finding.report;
  if (!finding.error.empty()) {
    err << program.name << ": " << finding.error << '\n';
  }
  return exitStatus(finding.outcome);
}

} // namespace corvane::sdkcheck
