// The per-step invariants of a model-checked run.
#include "invariants.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace modelcheck {

namespace {

constexpr std::int64_t kMicrosPerMilli = 1000;
constexpr double kMicrosPerSecond = 1e6;
constexpr std::array<std::string_view, 8> kColorTable = {
    "0 0 0 255",   "255 0 0 255",   "0 255 0 255",   "255 255 0 255",
    "0 0 255 255", "0 255 255 255", "255 0 255 255", "255 255 255 255",
};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool keyTextAccepted(std::string_view text) {
  return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == ';' || c == '"' || byte < 0x20 || byte == 0x7F;
  });
}

// How many frames a `sim_frame` line renders; none for other lines.
std::optional<long> framesOf(std::string_view line) {
  const auto commands = splitLine(line);
  if (!commands || commands->size() != 1 || commands->front().front() != "sim_frame") {
    return std::nullopt;
  }
  const Words &words = commands->front();
  return words.size() == 1 ? 1L : std::stol(words[1]);
}

// The value of a `vexlo_bind VALUE` line.
std::optional<std::string> keyTextOf(std::string_view line) {
  const auto commands = splitLine(line);
  if (!commands || commands->size() != 1) {
    return std::nullopt;
  }
  const Words &words = commands->front();
  if (words.size() != 2 || words.front() != "vexlo_bind") {
    return std::nullopt;
  }
  return words[1];
}

} // namespace

std::optional<std::int64_t> traceMillis(std::string_view line) {
  if (line.size() < 2 || line.front() != '[') {
    return std::nullopt;
  }
  const std::size_t point = line.find('.');
  const std::size_t close = line.find(']');
  if (point == std::string_view::npos || close == std::string_view::npos || point > close) {
    return std::nullopt;
  }
  std::int64_t seconds = 0;
  std::int64_t millis = 0;
  std::from_chars(line.data() + 1, line.data() + point, seconds);
  std::from_chars(line.data() + point + 1, line.data() + close, millis);
  return seconds * kMicrosPerMilli + millis;
}

std::string_view traceBody(std::string_view line) {
  const std::size_t close = line.find("] ");
  return close == std::string_view::npos ? line : line.substr(close + 2);
}

std::vector<std::string> InvariantChecker::check(std::string_view line, bool lineRefused,
                                                 const std::vector<std::string> &trace,
                                                 const VexloModel &model) {
  std::vector<std::string> violations;
  int fills = 0;
  int bindCommands = 0;
  for (const std::string &traced : trace) {
    const std::string_view body = traceBody(traced);
    if (startsWith(body, "StartMatchmaking")) {
      const std::optional<float> wait = model.armedWait();
      if (!wait) {
        violations.push_back("a search started for an arming that set no timer: " + traced);
      } else {
        // Microseconds of a session fit a double's 53 bits exactly.
        const double earliest =
            static_cast<double>(model.armedAtMicros()) +
            static_cast<double>(std::llround(static_cast<double>(*wait) * kMicrosPerSecond));
        const auto earliestMillis = static_cast<std::int64_t>(
            std::llround(earliest / static_cast<double>(kMicrosPerMilli)));
        if (traceMillis(traced).value_or(0) < earliestMillis) {
          violations.push_back("a search started before the waiting time had passed: " + traced);
        }
      }
      if (model.gameState() == GameState::Online && !model.matchOver()) {
        violations.push_back("a search started while a match was running: " + traced);
      }
      if (++startsPerArming_[model.armings()] > 1) {
        violations.push_back("a second search started for one arming: " + traced);
      }
    } else if (startsWith(body, "SetColor ")) {
      const std::string_view color = body.substr(std::string_view("SetColor ").size());
      if (std::find(kColorTable.begin(), kColorTable.end(), color) == kColorTable.end()) {
        violations.push_back("a colour outside the table reached the canvas: " + traced);
      }
    } else if (startsWith(body, "FillBox ")) {
      ++fills;
    } else if (startsWith(body, "executeCommand \"bind ")) {
      ++bindCommands;
    }
  }
  if (const auto frames = framesOf(line); frames && !lineRefused) {
    const bool shown = model.queueArmed() || model.previewOn();
    if (fills != (shown ? *frames : 0)) {
      violations.push_back(
          std::string(shown ? "the bar was not drawn on every frame"
                            : "the bar was drawn with no queue armed and no preview"));
    }
  }
  const auto keyText = keyTextOf(line);
  const int expectedBinds = keyText && !lineRefused && keyTextAccepted(*keyText) ? 1 : 0;
  if (keyText || bindCommands != 0) {
    if (bindCommands != expectedBinds) {
      violations.push_back("key text sent " + std::to_string(bindCommands) +
                           " console commands, expected " + std::to_string(expectedBinds));
    }
  }
  return violations;
}

} // namespace modelcheck
