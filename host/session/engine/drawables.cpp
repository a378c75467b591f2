// The drawable list and frame rendering.
#include "drawables.h"

#include "plugin_context.h"

namespace corvane::host {

void Drawables::add(PluginContext *owner, std::function<void(CanvasWrapper)> callback) {
  drawables_.push_back(std::make_unique<Drawable>(Drawable{owner, std::move(callback)}));
}

void Drawables::render(Canvas &canvas) {
  const std::size_t count = drawables_.size();
  for (std::size_t i = 0; i < count; ++i) {
    Drawable &drawable = *drawables_[i];
    if (drawable.owner->active()) {
      drawable.callback(CanvasWrapper(drawable.owner, &canvas));
    }
  }
}

void Drawables::dropOwner(const PluginContext *owner) {
  std::erase_if(drawables_, [owner](const std::unique_ptr<Drawable> &drawable) {
    return drawable->owner == owner;
  });
}

} // namespace corvane::host
