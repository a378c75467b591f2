// The descriptor requirements and the loader's wording of a refusal.
#include "descriptor_check.h"

#include <array>

namespace corvane::loader {

namespace {
constexpr std::array<std::string_view, 6> kFieldNames = {
    "fileName", "className", "pluginName", "pluginVersion", "getPlugin", "deleteMe",
};
} // namespace

std::string_view descriptorFieldName(DescriptorField field) {
  return kFieldNames[static_cast<std::size_t>(field)];
}

const PluginDescriptor *findDescriptor(const SharedLibrary &library) {
  return static_cast<const PluginDescriptor *>(library.symbol(kCorvaneDescriptorSymbol));
}

bool apiVersionAccepted(const PluginDescriptor &descriptor) {
  return descriptor.apiVersion == kCorvaneApiVersion && descriptor.apiVersionHigh == 0;
}

std::vector<DescriptorField> missingDescriptorFields(const PluginDescriptor &descriptor) {
  const std::array<bool, kFieldNames.size()> present = {
      descriptor.fileName != nullptr,   descriptor.className != nullptr,
      descriptor.pluginName != nullptr, descriptor.pluginVersion != nullptr,
      descriptor.getPlugin != nullptr,  descriptor.deleteMe != nullptr,
  };
  std::vector<DescriptorField> missing;
  for (std::size_t field = 0; field < present.size(); ++field) {
    if (!present[field]) {
      missing.push_back(static_cast<DescriptorField>(field));
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
  const std::vector<DescriptorField> missing = missingDescriptorFields(descriptor);
  if (missing.empty()) {
    return std::nullopt;
  }
  switch (missing.front()) {
  case DescriptorField::GetPlugin:
    return Error{ErrorKind::BadInput, "the descriptor has no factory (getPlugin)"};
  case DescriptorField::DeleteMe:
    return Error{ErrorKind::BadInput, "the descriptor has no teardown (deleteMe)"};
  default:
    return Error{ErrorKind::BadInput, "the descriptor has a null text"};
  }
}

} // namespace corvane::loader
