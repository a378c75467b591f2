// The toggle key: writing a key name into vexlo_bind binds it to the queue
// command.
#include "names.h"
#include "vexlo.h"

#include <string_view>

namespace {

constexpr const char *kBindDescription = "Vexlo : Bind to toggle queuing";
constexpr std::string_view kBindCommand = vexlo_names::kBindCommand;
constexpr std::string_view kQueueCommand = vexlo_names::kQueueCommand;

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
      ->registerCvar(vexlo_names::kBind, "", kBindDescription, true, false, 0.0F, false, 0.0F, true)
      .addOnValueChanged([this](std::string oldValue, CVarWrapper setting) {
        onBindChanged(std::move(oldValue), setting);
      });
}

void vexlo::onBindChanged(std::string /*oldValue*/, CVarWrapper setting) {
  *bindKey = setting.getStringValue();
  if (bindKey->empty() || !safeInBindCommand(*bindKey)) {
    return;
  }
  // "bind KEY vexlo_queue": three words, two blanks.
  constexpr std::size_t kBlanks = 2;
  std::string command;
  command.reserve(kBindCommand.size() + bindKey->size() + kQueueCommand.size() + kBlanks);
  command.append(kBindCommand).append(1, ' ').append(*bindKey).append(1, ' ').append(kQueueCommand);
  cvarManagerHandle->executeCommand(std::move(command), true);
}
