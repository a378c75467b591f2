// PNG output through libpng's simplified API.
#include "png_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "screenshot_error.h"

namespace corvane::screenshot {

namespace {

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};

std::vector<unsigned char> encode(const Image &image, const std::string &path) {
  png_image info{};
  info.version = PNG_IMAGE_VERSION;
  info.width = static_cast<png_uint_32>(image.width());
  info.height = static_cast<png_uint_32>(image.height());
  info.format = PNG_FORMAT_RGB;
  const void *pixels = image.rgbBytes().data();
  constexpr int kConvertTo8Bit = 0;
  constexpr png_int_32 kPackedRows = 0; // libpng derives the stride from the width

  // The first call only measures; the second fills the buffer.
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&info, nullptr, &size, kConvertTo8Bit, pixels, kPackedRows,
                                nullptr) == 0) {
    throw ScreenshotError("cannot write " + path + ": " + info.message);
  }
  std::vector<unsigned char> bytes(size);
  if (png_image_write_to_memory(&info, bytes.data(), &size, kConvertTo8Bit, pixels, kPackedRows,
                                nullptr) == 0) {
    throw ScreenshotError("cannot write " + path + ": " + info.message);
  }
  bytes.resize(size);
  return bytes;
}

} // namespace

void writePng(const Image &image, const std::string &path) {
  const std::vector<unsigned char> bytes = encode(image, path);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    throw ScreenshotError("cannot write " + path + ": " + std::strerror(errno));
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    const int why = written ? errno : writeErrno;
    std::remove(path.c_str());
    throw ScreenshotError("cannot write " + path + ": " + std::strerror(why));
  }
}

} // namespace corvane::screenshot
