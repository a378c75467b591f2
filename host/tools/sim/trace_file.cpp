// The --trace file's guard and its write-then-rename.
#include "trace_file.h"

#include <random>
#include <system_error>

#include "host/session/platform/utf8_path.h"

namespace corvane::sim {

namespace {

constexpr int kNameAttempts = 16;

} // namespace

std::optional<std::string> TraceFile::refuse(const std::filesystem::path &target,
                                             const std::vector<std::filesystem::path> &inputs) {
  for (const std::filesystem::path &input : inputs) {
    std::error_code error;
    // Fails (false) when either does not exist: then nothing is at stake.
    if (std::filesystem::equivalent(target, input, error)) {
      return "the trace file " + platform::utf8FromPath(target) + " is " +
             platform::utf8FromPath(input) + ", an input of this run; it would be overwritten";
    }
  }
  return std::nullopt;
}

TraceFile::TraceFile(std::filesystem::path target) : target_(std::move(target)) {
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::filesystem::path candidate = target_;
    candidate += ".partial-" + std::to_string(random());
    std::error_code error;
    if (!std::filesystem::exists(candidate, error) && !error) {
      temporary_ = std::move(candidate);
      stream_.open(temporary_, std::ios::binary | std::ios::trunc);
      return;
    }
  }
}

TraceFile::~TraceFile() {
  if (!committed_ && !temporary_.empty()) {
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

bool TraceFile::commit() {
  stream_.close();
  if (!stream_ || temporary_.empty()) {
    return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary_, target_, error);
  committed_ = !error;
  return committed_;
}

} // namespace corvane::sim
