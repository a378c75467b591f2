// The simulator's timeline feature: `sim_timeline FILE` draws the run so far,
// `--timeline FILE` draws the whole run when it ends.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/tools/program/extension.h"
#include "timeline.h"

namespace corvane::timeline {

class SessionTimeline;

// Each session it is attached to records what its host's events tell: game
// state, searches, the plugin's timers, the bar as the rendered frames drew
// it, and events.
class TimelineExtension final : public sim::Extension {
public:
  void addOptions(sim::OptionTable &table) override;
  void attach(sim::Simulator &simulator) override;
  // Refuses a --timeline file whose folder is missing or cannot be written,
  // before a session is played for nothing.
  Failure refuseToStart(sim::Simulator &simulator) override;
  // Draws the session attached last into the --timeline file, if one was named.
  bool finish(sim::Simulator &simulator) override;
  // The record of the session attached last, so far (none once it is gone).
  std::optional<Timeline> record() const;

private:
  std::string file_; // --timeline's file; empty: none
  // The last session's record; it lives as long as that session's console.
  std::weak_ptr<SessionTimeline> session_;
};

} // namespace corvane::timeline
