// Bounds-checked reads of a file's bytes.
#include "byte_reader.h"

#include <algorithm>

#include "pe_tables.h"

namespace corvane::pe {

namespace {
// Longer than any decorated name a linker writes; a bound on how far a
// hostile file can make each name's search for its end run.
constexpr std::size_t kMaxNameLength = 16384;
} // namespace

void ByteReader::require(std::size_t offset, std::size_t length, std::string_view what) const {
  if (offset > bytes_.size() || length > bytes_.size() - offset) {
    throw FormatError("the " + std::string(what) + " is cut off");
  }
}

std::uint64_t ByteReader::little(std::size_t offset, std::size_t width,
                                 std::string_view what) const {
  require(offset, width, what);
  std::uint64_t value = 0;
  for (std::size_t index = width; index > 0; --index) {
    value = (value << 8U) | bytes_[offset + index - 1];
  }
  return value;
}

std::string ByteReader::text(std::size_t offset, std::size_t length, std::string_view what) const {
  require(offset, length, what);
  const auto start = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
  return {start, start + static_cast<std::ptrdiff_t>(length)};
}

std::string ByteReader::name(std::size_t offset, std::string_view what) const {
  require(offset, 0, what);
  const auto start = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto limit =
      start + static_cast<std::ptrdiff_t>(std::min(bytes_.size() - offset, kMaxNameLength + 1));
  const auto end = std::find(start, limit, std::uint8_t{0});
  if (end == limit) {
    throw FormatError("the " + std::string(what) +
                      (limit == bytes_.end() ? " is cut off" : " is too long to be a name"));
  }
  return {start, end};
}

} // namespace corvane::pe
