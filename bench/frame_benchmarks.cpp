// Benchmarks of one rendered frame: with the queue idle, armed with a short
// and a long text, and the floor that an armed frame is measured against.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

#include <corvane/canvas_wrapper.h>

#include "allocation_counter.h"
#include "benchmark_failure.h"
#include "counting_canvas.h"
#include "host/session/engine/drawables.h"
#include "host/session/engine/plugin_context.h"
#include "session.h"
#include "source/vexlo/hiding_bar_style.h"

namespace {

using vexlo::bench::AllocationScope;
using vexlo::bench::CountingCanvas;
using vexlo::testing::Session;

// Text lengths either side of the strings' inline capacity: the short one is
// copied in place, the long one needs a block of its own.
constexpr std::size_t kShortTextBytes = 12;
constexpr std::size_t kLongTextBytes = 200;
constexpr std::string_view kTextPattern = "Queue armed.";

// The hiding bar is six canvas calls: position, colour, box, colour,
// position, text.
constexpr std::uint64_t kBarCanvasCalls = 6;

// What an armed frame draws with the plugin's default settings, for the floor
// to draw the same.
using vexlo_bar::kBarColor;
using vexlo_bar::kBarWidth;
using vexlo_bar::kDefaultHeight;
using vexlo_bar::kDefaultTextColor;
using vexlo_bar::kDefaultTextSize;
using vexlo_bar::kOrigin;
using vexlo_bar::kTextColors;

// The console lines of a player who turned the plugin on and, for the armed
// frames, set a text and pressed the queue key. The waiting time never
// passes, so the queue stays armed.
constexpr std::string_view kIdleSetup = "vexlo_enabled 1";
constexpr std::string_view kArmCommand = "vexlo_queue";

std::string textOfLength(std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) {
    text += kTextPattern;
  }
  text.resize(bytes);
  return text;
}

// The console line that sets the hiding bar's text to `text` (no quotes or
// backslashes in it).
std::string hidingBarTextLine(std::string_view text) {
  return "vexlo_hbtext \"" + std::string(text) + "\"";
}

std::string armedSetup(std::size_t textBytes) {
  return std::string(kIdleSetup) + '\n' + hidingBarTextLine(textOfLength(textBytes)) + '\n' +
         std::string(kArmCommand);
}

// What one frame must have drawn for its timing to mean anything.
struct FrameExpectation {
  std::uint64_t canvasCalls;
  std::uint64_t textBytes;
  // A text this long cannot be copied without an allocation: seeing none
  // means the counter is blind to the plugin's allocations.
  bool textNeedsAllocation = false;
};

// Checks what the frames drew and reports their allocations per frame.
void reportFrames(benchmark::State &state, const CountingCanvas &canvas,
                  const AllocationScope &allocations, FrameExpectation perFrame) {
  const auto frames = static_cast<std::uint64_t>(state.iterations());
  if (canvas.calls() != perFrame.canvasCalls * frames) {
    vexlo::bench::failBenchmark(state, "the frames did not make the expected canvas calls");
    return;
  }
  if (canvas.textBytes() != perFrame.textBytes * frames) {
    vexlo::bench::failBenchmark(state, "the frames did not draw the configured text");
    return;
  }
  if (perFrame.textNeedsAllocation && allocations.allocations() == 0) {
    vexlo::bench::failBenchmark(state, "the allocation counter does not see the plugin's copies");
    return;
  }
  state.counters["allocs_per_frame"] = benchmark::Counter(
      static_cast<double>(allocations.allocations()), benchmark::Counter::kAvgIterations);
}

// Renders frames through the host's frame path with the plugin set up by
// `setup`.
void renderPluginFrames(benchmark::State &state, std::string_view setup,
                        FrameExpectation perFrame) {
  Session session(vexlo::testing::kSilent);
  if (!vexlo::bench::startOrFail(state, session, setup)) {
    return;
  }
  corvane::host::Host &host = session.host();
  // An idle frame draws nothing either way: it has to reach the plugin's
  // drawable to measure anything.
  if (host.drawables().size() != 1) {
    vexlo::bench::failBenchmark(state, "the plugin did not register its one drawable");
    return;
  }
  CountingCanvas canvas;
  const AllocationScope allocations;
  for (auto _ : state) {
    host.renderFrame(canvas);
  }
  reportFrames(state, canvas, allocations, perFrame);
}

void BM_FrameIdle(benchmark::State &state) {
  renderPluginFrames(state, kIdleSetup, FrameExpectation{0, 0});
}

void BM_FrameActiveShortText(benchmark::State &state) {
  renderPluginFrames(state, armedSetup(kShortTextBytes),
                     FrameExpectation{kBarCanvasCalls, kShortTextBytes});
}

void BM_FrameActiveLongText(benchmark::State &state) {
  renderPluginFrames(state, armedSetup(kLongTextBytes),
                     FrameExpectation{kBarCanvasCalls, kLongTextBytes, true});
}

// The bar's six calls made straight on a wrapper, with no plugin and no frame
// around them: what an armed frame cannot be cheaper than.
void BM_FrameFloor(benchmark::State &state) {
  corvane::host::Host host;
  corvane::host::PluginContext &context = host.createContext("floor");
  CountingCanvas canvas;
  CanvasWrapper wrapper(&context, &canvas);
  const std::string text = textOfLength(kShortTextBytes);
  const AllocationScope allocations;
  for (auto _ : state) {
    wrapper.SetPosition(kOrigin);
    wrapper.SetColor(kBarColor);
    wrapper.FillBox(Vector2F{kBarWidth, kDefaultHeight});
    wrapper.SetColor(kTextColors[kDefaultTextColor]);
    wrapper.SetPosition(kOrigin);
    wrapper.DrawString(text, kDefaultTextSize, kDefaultTextSize, false, false);
  }
  reportFrames(state, canvas, allocations, FrameExpectation{kBarCanvasCalls, kShortTextBytes});
}

// One frame of the host with a single drawable that is an empty function: the
// host's part of every frame (its walk of the drawables and the call through
// the SDK's std::function), the same for any plugin. A plugin's share of a
// frame is what the frame costs above this.
void BM_FrameEmptyDrawable(benchmark::State &state) {
  corvane::host::Host host;
  corvane::host::PluginContext &context = host.createContext("empty");
  host.addDrawable(&context, [](CanvasWrapper /*canvas*/) {});
  CountingCanvas canvas;
  const AllocationScope allocations;
  for (auto _ : state) {
    host.renderFrame(canvas);
  }
  reportFrames(state, canvas, allocations, FrameExpectation{0, 0});
}

} // namespace

BENCHMARK(BM_FrameIdle);
BENCHMARK(BM_FrameActiveShortText);
BENCHMARK(BM_FrameActiveLongText);
BENCHMARK(BM_FrameFloor);
BENCHMARK(BM_FrameEmptyDrawable);
