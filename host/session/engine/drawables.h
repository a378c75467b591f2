// Drawables: the plugins' per-frame draw callbacks.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <corvane/canvas_wrapper.h>

#include "host_export.h"

namespace corvane::host {

class Canvas;
class PluginContext;

struct Drawable {
  PluginContext *owner;
  std::function<void(CanvasWrapper)> callback;
};

class CORVANE_HOST_API Drawables {
public:
  Drawables() = default;
  ~Drawables() = default;
  // The drawables are owned one by one and cannot be copied. Said outright
  // because an exported class gets every special member defined in the
  // library on Windows, and an implicit copy would copy the unique_ptrs.
  Drawables(const Drawables &) = delete;
  Drawables &operator=(const Drawables &) = delete;
  Drawables(Drawables &&) = default;
  Drawables &operator=(Drawables &&) = default;

  void add(PluginContext *owner, std::function<void(CanvasWrapper)> callback);
  // Calls every drawable once with a wrapper on `canvas`. Nothing here
  // allocates; drawables added during the frame are drawn from the next one.
  void render(Canvas &canvas);
  void dropOwner(const PluginContext *owner);
  std::size_t size() const { return drawables_.size(); }

private:
  // Each drawable in a block of its own, so that the running callback stays
  // in place when it registers another.
  std::vector<std::unique_ptr<Drawable>> drawables_;
};

} // namespace corvane::host
