// The descriptor requirements and the loader's wording of a refusal.
#include "descriptor_check.h"

#include <array>
#include <utility>

namespace corvane::loader {

const PluginDescriptor *findDescriptor(const SharedLibrary &library) {
  return static_cast<const PluginDescriptor *>(library.symbol(kCorvaneDescriptorSymbol));
}

bool apiVersionAccepted(const PluginDescriptor &descriptor) {
  return descriptor.apiVersion == kCorvaneApiVersion && descriptor.apiVersionHigh == 0;
}

std::vector<std::string_view> missingDescriptorFields(const PluginDescriptor &descriptor) {
  const std::array<std::pair<std::string_view, bool>, 6> fields = {{
      {"fileName", descriptor.fileName != nullptr},
      {"className", descriptor.className != nullptr},
      {"pluginName", descriptor.pluginName != nullptr},
      {"pluginVersion", descriptor.pluginVersion != nullptr},
      {"getPlugin", descriptor.getPlugin != nullptr},
      {"deleteMe", descriptor.deleteMe != nullptr},
  }};
  std::vector<std::string_view> missing;
  for (const auto &[name, present] : fields) {
    if (!present) {
      missing.push_back(name);
    }
  }
  return missing;
}

Failure checkDescriptor(const PluginDescriptor &descriptor) {
  if (!apiVersionAccepted(descriptor)) {
    return Error{ErrorKind::BadInput,
                 "API version " + std::to_string(descriptor.apiVersion) +
                     (descriptor.apiVersionHigh != 0 ? " (upper half not 0)" : "") +
                     ", the host speaks " + std::to_string(kCorvaneApiVersion)};
  }
  const std::vector<std::string_view> missing = missingDescriptorFields(descriptor);
  if (missing.empty()) {
    return std::nullopt;
  }
  // The entry points come after the texts: a missing text is named first.
  if (missing.front() == "getPlugin") {
    return Error{ErrorKind::BadInput, "the descriptor has no factory (getPlugin)"};
  }
  if (missing.front() == "deleteMe") {
    return Error{ErrorKind::BadInput, "the descriptor has no teardown (deleteMe)"};
  }
  return Error{ErrorKind::BadInput, "the descriptor has a null text"};
}

} // namespace corvane::loader
