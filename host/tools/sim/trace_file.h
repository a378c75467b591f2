// TraceFile: the --trace file, written under a temporary name and renamed
// into place at the end, so that a run that fails to start leaves an
// existing file as it was.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace corvane::sim {

class TraceFile {
public:
  // Why `target` may not take the trace: it is one of `inputs` (the plugin,
  // a script), however named. Checked before anything is opened for writing.
  static std::optional<std::string> refuse(const std::filesystem::path &target,
                                           const std::vector<std::filesystem::path> &inputs);

  explicit TraceFile(std::filesystem::path target);
  ~TraceFile(); // removes the temporary file unless committed
  TraceFile(const TraceFile &) = delete;
  TraceFile &operator=(const TraceFile &) = delete;

  // False when the temporary file could not be made.
  bool opened() const { return static_cast<bool>(stream_); }
  std::ostream &stream() { return stream_; }
  // Closes the stream and renames the file into place; false on failure.
  bool commit();

private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::ofstream stream_;
  bool committed_ = false;
};

} // namespace corvane::sim
