// The temporary files a program has open, made here and kept by name for the
// handler that removes them when the program is ended from outside (a
// signal, Ctrl-C). The handler may only read the names, so they are plain C
// strings in a fixed table, each slot taken and given back atomically.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace corvane::platform {

class TemporaryNames {
public:
  using Char = std::filesystem::path::value_type;

  // Makes a file named "TARGET.partial-N", N random, beside `target` with
  // `create(name)`, which returns nothing when it made the file and else the
  // system's error, and keeps its name; a name in use (that error is
  // `taken`) is tried again with another N, 16 times at most. Nothing, with
  // the name in `made`, or the last error.
  template <typename Error, typename Create>
  std::optional<Error> make(const std::filesystem::path &target, Error taken,
                            std::filesystem::path &made, const Create &create) {
    constexpr int kNameAttempts = 16;
    std::random_device random;
    Error error = taken;
    for (int attempt = 0; attempt < kNameAttempts && error == taken; ++attempt) {
      std::filesystem::path candidate = target;
      candidate += ".partial-" + std::to_string(random());
      const std::optional<Error> failed = create(candidate);
      if (!failed) {
        remember(candidate);
        made = std::move(candidate);
        return std::nullopt;
      }
      error = *failed;
    }
    return error;
  }

  // Forgets `name`, whose file is gone or renamed, and empties it.
  void forget(std::filesystem::path &name) {
    for (std::atomic<Char *> &slot : slots_) {
      Char *held = slot.load();
      if (held != nullptr && name.native() == held && slot.compare_exchange_strong(held, nullptr)) {
        delete[] held;
        break;
      }
    }
    name.clear();
  }

  // Calls `remove` with each name kept; fit for a signal handler.
  template <typename Remove> void removeAll(const Remove &remove) {
    for (std::atomic<Char *> &slot : slots_) {
      if (Char *name = slot.load(); name != nullptr) {
        remove(name);
      }
    }
  }

private:
  // Keeps a copy of `name`; with more open at once than the table holds, it
  // is not kept, and the handler does not remove that file.
  void remember(const std::filesystem::path &name) {
    const auto &text = name.native();
    auto *copy = new Char[text.size() + 1];
    std::copy_n(text.c_str(), text.size() + 1, copy);
    for (std::atomic<Char *> &slot : slots_) {
      Char *empty = nullptr;
      if (slot.compare_exchange_strong(empty, copy)) {
        return;
      }
    }
    delete[] copy;
  }

  std::array<std::atomic<Char *>, 32> slots_{};
};

} // namespace corvane::platform
