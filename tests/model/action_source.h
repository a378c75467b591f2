// Where the random host actions take their choices from: a seeded generator
// for the model check, or a fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace modelcheck {

class ActionSource {
public:
  virtual ~ActionSource() = default;
  // A choice in [0, count); count is at least 1.
  virtual std::uint32_t below(std::uint32_t count) = 0;
};

// A seeded choice sequence, the same on every platform and standard library.
class SeededSource final : public ActionSource {
public:
  explicit SeededSource(std::uint64_t seed) : state_(seed) {}
  std::uint32_t below(std::uint32_t count) override;

private:
  std::uint64_t state_;
};

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
