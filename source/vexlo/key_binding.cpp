// The toggle key: writing a key name into vexlo_bind binds it to the queue
// command.
#include "vexlo.h"

#include <string_view>

namespace {

constexpr const char *kBindSetting = "vexlo_bind";
constexpr const char *kBindDescription = "Vexlo : Bind to toggle queuing";
constexpr std::string_view kBindPrefix = "bind ";
constexpr std::string_view kBindSuffix = " vexlo_queue";

// A key text that could end the bind command early, or open a quoted word,
// would make the console run something other than the binding.
bool safeInBindCommand(std::string_view keyText) {
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kDelete = 0x7F;
  for (const char character : keyText) {
    const auto byte = static_cast<unsigned char>(character);
    if (character == ';' || character == '"' || byte < kFirstPrintable || byte == kDelete) {
      return false;
    }
  }
  return true;
}

} // namespace

void vexlo::registerBindSetting() {
  bindKey = std::make_shared<std::string>();
  cvarManagerHandle
      ->registerCvar(kBindSetting, "", kBindDescription, true, false, 0.0F, false, 0.0F, true)
      .addOnValueChanged([this](std::string oldValue, CVarWrapper setting) {
        onBindChanged(std::move(oldValue), setting);
      });
}

void vexlo::onBindChanged(std::string /*oldValue*/, CVarWrapper setting) {
  *bindKey = setting.getStringValue();
  if (bindKey->empty() || !safeInBindCommand(*bindKey)) {
    return;
  }
  std::string command;
  command.reserve(kBindPrefix.size() + bindKey->size() + kBindSuffix.size());
  command.append(kBindPrefix).append(*bindKey).append(kBindSuffix);
  cvarManagerHandle->executeCommand(std::move(command), true);
}
