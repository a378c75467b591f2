// HostObserver: what the game and the host did, told to a program that
// records a run (a timeline, say). The engine tells it after each change;
// the frame path tells it nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host_export.h"

namespace corvane::host {

class CORVANE_HOST_API HostObserver {
public:
  HostObserver() = default;
  HostObserver(const HostObserver &) = delete;
  HostObserver &operator=(const HostObserver &) = delete;
  virtual ~HostObserver();

  // The game state changed (it may be set to the one it had).
  virtual void stateChanged() {}
  // A search started or stopped; the host's matchmaking says which.
  virtual void searchChanged() {}
  // A plugin set timer `id`, due at `dueMicros`.
  virtual void timerSet(std::uint64_t /*id*/, std::int64_t /*dueMicros*/) {}
  // Timer `id` fell due and its callback has run.
  virtual void timerFired(std::uint64_t /*id*/) {}
  // Timer `id` went without running: its plugin was unloaded.
  virtual void timerDropped(std::uint64_t /*id*/) {}
  // The game called `name`, which some plugin hooks or none does.
  virtual void functionCalled(const std::string & /*name*/, bool /*hooked*/) {}
  // A plugin's console command (notifier) has run.
  virtual void notifierRun(const std::string & /*name*/) {}
  // The player pressed `key`.
  virtual void keyPressed(std::string_view /*key*/) {}
  // A plugin sent a console line (executeCommand).
  virtual void commandIssued(const std::string & /*line*/) {}
};

} // namespace corvane::host
