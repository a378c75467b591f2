// Notifiers: console commands registered by plugins.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host_export.h"

namespace corvane::host {

class PluginContext;

struct Notifier {
  PluginContext *owner;
  std::string description;
  std::function<void(std::vector<std::string>)> callback;
};

class CORVANE_HOST_API Notifiers {
public:
  // A name registered again gets the new notifier.
  void add(std::string name, Notifier notifier);
  bool contains(std::string_view name) const { return notifiers_.contains(name); }
  // Runs the notifier `words[0]`, which there is, with all the words.
  void run(const std::vector<std::string> &words);
  void dropOwner(const PluginContext *owner);
  // What the notifier `name` says of itself, when there is one.
  std::optional<std::string> description(std::string_view name) const;
  // The registered names, sorted.
  std::vector<std::string> names() const;

private:
  // Shared so a running notifier survives one registering over its name.
  std::map<std::string, std::shared_ptr<Notifier>, std::less<>> notifiers_;
};

} // namespace corvane::host
