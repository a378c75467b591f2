// Little-endian reads from a file's bytes, every one checked against the
// end of the bytes it is given, so that a cut-off or hostile file is a
// FormatError and never a read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane::pe {

class ByteReader {
public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  // Each throws FormatError saying that `what` is cut off when the value
  // does not lie wholly inside these bytes.
  std::uint16_t u16(std::size_t offset, std::string_view what) const {
    return static_cast<std::uint16_t>(little(offset, 2, what));
  }
  std::uint32_t u32(std::size_t offset, std::string_view what) const {
    return static_cast<std::uint32_t>(little(offset, 4, what));
  }
  std::uint64_t u64(std::size_t offset, std::string_view what) const {
    return little(offset, 8, what);
  }
  // `length` bytes from `offset`, as a reader of their own.
  ByteReader slice(std::size_t offset, std::size_t length, std::string_view what) const {
    require(offset, length, what);
    return ByteReader(bytes_.subspan(offset, length));
  }
  // `length` bytes from `offset` as text, as they are.
  std::string text(std::size_t offset, std::size_t length, std::string_view what) const;
  // The NUL-terminated name at `offset`; a name with no NUL before the end
  // or longer than any linker writes is a FormatError.
  std::string name(std::size_t offset, std::string_view what) const;

private:
  std::uint64_t little(std::size_t offset, std::size_t width, std::string_view what) const;
  void require(std::size_t offset, std::size_t length, std::string_view what) const;

  std::span<const std::uint8_t> bytes_;
};

} // namespace corvane::pe
