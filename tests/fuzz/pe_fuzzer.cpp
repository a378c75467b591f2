// libFuzzer target: arbitrary bytes as a Windows image, an import library
// and both files of the SDK check, which reads files players download. It
// also fails when the check answers other than its statuses promise.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "host/tools/check_sdk/check_sdk.h"
#include "host/tools/check_sdk/readable_name.h"
#include "host/tools/pe/import_library.h"
#include "host/tools/pe/pe_image.h"

namespace {

void check(std::span<const std::uint8_t> plugin, std::span<const std::uint8_t> host) {
  using corvane::Outcome;
  const corvane::sdkcheck::Finding outcome =
      corvane::sdkcheck::checkSdk("plugin.dll", plugin, "pluginsdk.dll", host);
  const bool answered =
      (outcome.outcome == Outcome::Success || outcome.outcome == Outcome::PluginFailed) &&
      !outcome.report.empty() && outcome.error.empty();
  const bool refused = outcome.outcome == Outcome::BadInput && outcome.report.empty() &&
                       !outcome.error.empty() && outcome.error.find('\n') == std::string::npos;
  if (!answered && !refused) {
    __builtin_trap();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
    const corvane::pe::PeImage image = corvane::pe::readPeImage(bytes);
    for (const std::string &name : image.exports.names) {
      (void)corvane::sdkcheck::plainMemberName(name);
    }
  } catch (const corvane::pe::FormatError &) {
  }
  try {
    (void)corvane::pe::readImportLibrary(bytes);
  } catch (const corvane::pe::FormatError &) {
  }
  check(bytes, bytes);
  check(bytes.first(size / 2), bytes.subspan(size / 2));
  return 0;
}
