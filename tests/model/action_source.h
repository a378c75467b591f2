// Where the random host actions take their choices from: a seeded generator
// for the model check (validate's own), or a fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/tools/validate/random_run.h"

namespace modelcheck {

using ActionSource = corvane::validate::Choices;
using SeededSource = corvane::validate::SeededChoices;

// Choices read from a byte string; once it runs out every choice is 0.
class ByteSource final : public ActionSource {
public:
  ByteSource(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t below(std::uint32_t count) override;
  bool exhausted() const { return at_ >= size_; }

private:
  const std::uint8_t *data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

} // namespace modelcheck
