// WholeFile: a file that replaces its target whole or not at all.
#pragma once

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string_view>

#include "host/base/error.h"

namespace corvane::platform {

// The bytes go to a temporary file beside `target`, which is renamed over it
// only by commit(): until then, and whenever anything fails, an existing
// target stays as it was. The temporary file goes when the object does
// uncommitted, and also when Ctrl-C or a termination request ends the
// program while it is open, so an interrupted run leaves nothing behind.
class WholeFile {
public:
  explicit WholeFile(std::filesystem::path target);
  ~WholeFile();
  WholeFile(const WholeFile &) = delete;
  WholeFile &operator=(const WholeFile &) = delete;

  // Why the temporary file could not be made (the folder is missing or
  // cannot be written); nothing when it was.
  const Failure &openError() const { return failure_; }
  std::ostream &stream() { return stream_; }
  // Writes every byte written so far and renames the file over its target;
  // when that fails, the target is left as it was.
  Failure commit();

private:
  class Buffer;

  // The system's part, one file per platform.
  // Each fails with the system's reason, as a file that cannot be written.
  Failure openTemporary();
  Failure writeBytes(std::string_view bytes);
  // Closes the temporary file, its bytes on the disk, and renames it over
  // the target.
  Failure replaceTarget();
  void discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::intptr_t handle_ = -1;
  Failure failure_;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
};

// Writes `bytes` as the whole of `target`; on failure, `target` is as it was.
Failure writeWholeFile(const std::filesystem::path &target, std::string_view bytes);

// Why a file could not be written at `target` (its folder is missing or
// cannot be written); nothing when it can. Tried by making and removing a
// temporary file there, since permission bits do not bind every user.
Failure refuseToWrite(const std::filesystem::path &target);

// Ctrl-C ends the program through the handler that removes the open
// temporary files, the one owner of the signal; while a catcher lives it
// sets `interruptRequested` instead, and a read waiting at a prompt returns.
class InterruptCatcher {
public:
  InterruptCatcher();
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher &) = delete;
  InterruptCatcher &operator=(const InterruptCatcher &) = delete;
};
extern volatile std::sig_atomic_t interruptRequested;

} // namespace corvane::platform
