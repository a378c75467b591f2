// A build without Cairo refuses timelines in words.
#include <host/tools/timeline/timeline_render.h>

#include <gtest/gtest.h>

namespace corvane::timeline {
namespace {

// Catches a build without drawing that fails silently or claims to draw.
TEST(TimelineUnavailableTest, RenderSaysSo) {
  EXPECT_FALSE(timelinesAvailable());
  EXPECT_EQ(renderTimeline(Timeline{}, "run.png").value().message,
            "timelines are not available in this build");
}

} // namespace
} // namespace corvane::timeline
