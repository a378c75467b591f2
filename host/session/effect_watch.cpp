// The effect watch: presses and notifiers held until the next frame.
#include "effect_watch.h"

#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace corvane::host {

namespace {

bool drawsOnCanvas(Op op) {
  return op == Op::SetPosition || op == Op::SetColor || op == Op::FillBox || op == Op::DrawString;
}

template <typename What, typename... Kinds>
constexpr bool isOneOf = (std::is_same_v<What, Kinds> || ...);

} // namespace

std::vector<std::size_t> EffectWatch::take(const Event &event,
                                           std::optional<std::size_t> recorded) {
  std::vector<std::size_t> noEffect;
  std::visit(
      [&](const auto &what) {
        using What = std::decay_t<decltype(what)>;
        if constexpr (isOneOf<What, KeyPressed, NotifierRun>) {
          // A notifier run by the key just pressed belongs with it.
          if (std::is_same_v<What, KeyPressed> || effect_ || watched_.empty()) {
            watched_.clear();
            effect_ = false;
          }
          if (recorded) {
            watched_.push_back(*recorded);
          }
        } else if constexpr (std::is_same_v<What, SdkCall>) {
          if (opKind(what.op) == OpKind::Effect && !drawsOnCanvas(what.op)) {
            effect_ = true;
          }
        } else if constexpr (std::is_same_v<What, FrameEnded>) {
          const bool shown = what.drew->drewBar();
          const std::string_view text = shown ? what.drew->text() : std::string_view();
          if (!effect_ && shown == barShown_ && text == barText_) {
            noEffect = std::move(watched_);
          }
          watched_.clear();
          barShown_ = shown;
          barText_.assign(text);
        } else if constexpr (!isOneOf<What, TimerSet, FrameBegun, CommandIssued, PlaylistSelected,
                                      Registered, SettingChanged, KeyBound>) {
          // The game acted (what the plugin does comes with a call, above;
          // what the person configures is no act of the game).
          watched_.clear();
        }
      },
      event.what);
  return noEffect;
}

} // namespace corvane::host
