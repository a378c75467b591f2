// WholeFile's stream and the steps every platform shares; the system calls
// are in whole_file_posix.cpp and whole_file_windows.cpp.
#include "whole_file.h"

#include <array>
#include <streambuf>

namespace corvane::platform {

// Collects the stream's bytes and hands them on in large writes; the first
// failure is kept and everything after it dropped.
class WholeFile::Buffer final : public std::streambuf {
public:
  explicit Buffer(WholeFile &file) : file_(file) {
    setp(bytes_.data(), bytes_.data() + bytes_.size());
  }

  bool drain() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(bytes_.data(), bytes_.data() + bytes_.size());
    if (!pending.empty() && !file_.failure_) {
      file_.failure_ = file_.writeBytes(pending);
    }
    return !file_.failure_;
  }

protected:
  int_type overflow(int_type ch) override {
    if (!drain()) {
      return traits_type::eof();
    }
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      sputc(traits_type::to_char_type(ch));
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return drain() ? 0 : -1; }

private:
  static constexpr std::size_t kSize = 1 << 16;
  WholeFile &file_;
  std::array<char, kSize> bytes_{};
};

WholeFile::WholeFile(std::filesystem::path target)
    : target_(std::move(target)), buffer_(std::make_unique<Buffer>(*this)), stream_(buffer_.get()) {
  failure_ = openTemporary();
  if (failure_) {
    stream_.setstate(std::ios::badbit);
  }
}

WholeFile::~WholeFile() { discard(); }

Failure WholeFile::commit() {
  if (!failure_ && !buffer_->drain()) {
    stream_.setstate(std::ios::badbit);
  }
  if (!failure_) {
    failure_ = replaceTarget();
  }
  discard();
  return failure_;
}

volatile std::sig_atomic_t interruptRequested = 0;

Failure writeWholeFile(const std::filesystem::path &target, std::string_view bytes) {
  WholeFile file(target);
  file.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.commit();
}

Failure refuseToWrite(const std::filesystem::path &target) { return WholeFile(target).openError(); }

} // namespace corvane::platform
