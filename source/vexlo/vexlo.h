// The Vexlo plugin: re-queues the player after a match, and hides the screen's
// top while a queue is armed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <corvane/plugin.h>

// The plugin object. The host creates it through getPlugin, fills the two
// handles of the base, and calls onLoad, which wires everything else. From
// then on it runs only inside host callbacks, each of which holds a plain
// pointer to this object.
class vexlo : public Corvane::Plugin::CorvanePlugin {
public:
  // Lifecycle. onUnload keeps the base's empty body: the host drops every
  // hook, timer, setting callback and drawable itself.
  void onLoad() override;

  // Queue controller. Virtual so that every timer and hook reaches the
  // operation through the object's own slot.
  virtual void toggleQueue();
  virtual void scheduleQueue();
  virtual void cancelQueue();
  virtual void startQueue();
  virtual void onMatchStarting(std::string eventName);
  virtual void onMatchEnded(std::string eventName);
  virtual void onMatchmakingCancelled(std::string eventName);

  // Setting change callbacks.
  void onSimulateChanged(std::string oldValue, CVarWrapper setting);
  void onEnabledChanged(std::string oldValue, CVarWrapper setting);
  void onBindChanged(std::string oldValue, CVarWrapper setting);

  // The drawable: the hiding bar, on every frame.
  void renderHidingBar(CanvasWrapper canvas);

private:
  void registerSettings();
  void hookEvents();
  void registerBindSetting();
  void registerDrawable();
  // Selects the configured playlist and starts a search.
  void launchMatchmaking();
  // An online match is under way and not yet over.
  bool matchRunning() const;

  std::shared_ptr<bool> matchOver;
  std::shared_ptr<bool> queueActive;
  std::shared_ptr<bool> enabled;
  std::shared_ptr<bool> freeplay;
  std::shared_ptr<bool> simulate;
  std::shared_ptr<int> playlist;
  std::shared_ptr<std::string> bindKey;
  std::shared_ptr<std::string> hbText;
  std::shared_ptr<float> hbTextSize;
  std::shared_ptr<int> hbTextColor;
  std::shared_ptr<int> hbHeight;
  std::shared_ptr<bool> partyBlocked;
  // How many times a queue has been armed. A waiting timer launches only if
  // no later arming has superseded it.
  std::shared_ptr<std::uint64_t> armings;
};
