// Outcome: how a step, a script's run, a check or a verb ended, in one word
// for the console, validate and check-sdk. The exit statuses of corvane-sim,
// its verbs and vexlo-check come from it here, and nowhere else.
#pragma once

namespace corvane {

enum class Outcome {
  Success,      // everything ran; for a verb, every check passed
  PluginFailed, // a sim_expect, or a verb's check, found the plugin wrong
  BadInput,     // a usage error, a refused file, a script error, or a file that cannot be written
  Notice,       // no failure, but a person would otherwise hear nothing: the run goes on
};

// Whether a run stops at `outcome`.
constexpr bool isFailure(Outcome outcome) {
  return outcome == Outcome::PluginFailed || outcome == Outcome::BadInput;
}

// 0 for a success or a notice, 1 for a plugin that failed, 2 for bad input.
constexpr int exitStatus(Outcome outcome) {
  return outcome == Outcome::PluginFailed ? 1 : outcome == Outcome::BadInput ? 2 : 0;
}

} // namespace corvane
