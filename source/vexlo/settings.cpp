// The plugin's console settings, the values that mirror them, and the queue
// command.
#include "hiding_bar_style.h"
#include "names.h"
#include "vexlo.h"

#include <vector>

namespace {

// One registerCvar call's arguments.
struct SettingRow {
  const char *name;
  const char *defaultValue;
  const char *description;
  bool hasMin;
  float min;
  bool hasMax;
  float max;
  bool saveToConfig;
};

constexpr SettingRow kWaitingTime{vexlo_names::kWaitingTime,
                                  "(1,60)",
                                  "Vexlo : Minimium waiting time",
                                  true,
                                  1.0F,
                                  true,
                                  600.0F,
                                  true};
constexpr SettingRow kEnabled{
    vexlo_names::kEnabled, "0", "Vexlo : Enable plugin", true, 0.0F, true, 1.0F, true};
constexpr SettingRow kFreeplay{vexlo_names::kFreeplay,
                               "0",
                               "Vexlo : Enable instant freeplay before queuing",
                               true,
                               0.0F,
                               true,
                               1.0F,
                               true};
constexpr SettingRow kPlaylist{
    vexlo_names::kPlaylist, "5", "Vexlo : Playlist", false, 0.0F, false, 0.0F, true};
constexpr SettingRow kHbText{
    vexlo_names::kHbText, "", "Vexlo : Hiding bar text", false, 0.0F, false, 0.0F, true};
constexpr SettingRow kHbTextSize{vexlo_names::kHbTextSize,
                                 vexlo_bar::kDefaultTextSizeText,
                                 "Vexlo : Hiding bar text",
                                 true,
                                 1.0F,
                                 true,
                                 7.0F,
                                 true};
constexpr SettingRow kHbTextColor{vexlo_names::kHbTextColor,
                                  vexlo_bar::kDefaultTextColorText,
                                  "Vexlo : Hiding bar Text color",
                                  false,
                                  0.0F,
                                  false,
                                  0.0F,
                                  true};
constexpr SettingRow kHbHeight{vexlo_names::kHbHeight,
                               vexlo_bar::kDefaultHeightText,
                               "Vexlo : Hiding bar height",
                               true,
                               10.0F,
                               true,
                               100.0F,
                               true};
// The preview is the one setting the host is not asked to keep.
constexpr SettingRow kSimulate{
    vexlo_names::kSimulate, "0", "Vexlo : Simulate Hiding bar", true, 0.0F, true, 1.0F, false};

constexpr const char *kQueueDescription = "Vexlo : Queue";
constexpr unsigned char kQueuePermissions = 0;

CVarWrapper registerSetting(CVarManagerWrapper &console, const SettingRow &row) {
  return console.registerCvar(row.name, row.defaultValue, row.description, true, row.hasMin,
                              row.min, row.hasMax, row.max, row.saveToConfig);
}

} // namespace

void vexlo::registerSettings() {
  CVarManagerWrapper &console = *cvarManagerHandle;
  registerSetting(console, kWaitingTime);

  enabled = std::make_shared<bool>(false);
  {
    CVarWrapper setting = registerSetting(console, kEnabled);
    setting.bindTo(enabled);
    // Turning the plugin off must not leave an armed queue behind that the
    // disabled notifier could no longer disarm.
    setting.addOnValueChanged([this](std::string oldValue, CVarWrapper changed) {
      onEnabledChanged(std::move(oldValue), changed);
    });
  }

  freeplay = std::make_shared<bool>(false);
  registerSetting(console, kFreeplay).bindTo(freeplay);

  playlist = std::make_shared<int>(5);
  registerSetting(console, kPlaylist).bindTo(playlist);

  hbText = std::make_shared<std::string>();
  registerSetting(console, kHbText).bindTo(hbText);

  hbTextSize = std::make_shared<float>(3.0F);
  registerSetting(console, kHbTextSize).bindTo(hbTextSize);

  hbTextColor = std::make_shared<int>(6);
  registerSetting(console, kHbTextColor).bindTo(hbTextColor);

  hbHeight = std::make_shared<int>(60);
  registerSetting(console, kHbHeight).bindTo(hbHeight);

  simulate = std::make_shared<bool>(false);
  registerSetting(console, kSimulate)
      .addOnValueChanged([this](std::string oldValue, CVarWrapper setting) {
        onSimulateChanged(std::move(oldValue), setting);
      });

  console.registerNotifier(
      vexlo_names::kQueueCommand, [this](std::vector<std::string> /*arguments*/) { toggleQueue(); },
      kQueueDescription, kQueuePermissions);
}

void vexlo::onSimulateChanged(std::string /*oldValue*/, CVarWrapper setting) {
  *simulate = setting.getBoolValue();
  if (*simulate) {
    cancelQueue();
  }
}

void vexlo::onEnabledChanged(std::string /*oldValue*/, CVarWrapper setting) {
  // A search the player started without the plugin is left alone.
  if (!setting.getBoolValue() && *queueActive) {
    cancelQueue();
  }
}
