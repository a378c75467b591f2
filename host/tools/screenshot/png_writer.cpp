// PNG output through libpng's simplified API.
#include "png_writer.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include <png.h>

#include "host/session/platform/utf8_path.h"
#include "screenshot_error.h"

namespace corvane::screenshot {

namespace {

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
  const std::filesystem::path file = platform::pathFromUtf8(path);
  errno = 0;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) {
    throw ScreenshotError("cannot write " + path + ": " + platform::errnoText(errno));
  }
  out.write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  const bool written = out.good();
  const int writeErrno = errno;
  out.close();
  if (!written || out.fail()) {
    const int why = written ? errno : writeErrno;
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    throw ScreenshotError("cannot write " + path + ": " + platform::errnoText(why));
  }
}

} // namespace corvane::screenshot
