// SharedLibrary: one loaded dynamic library, dlopen or LoadLibraryW behind
// one small class.
#pragma once

#include <memory>
#include <string>

#include "host/base/error.h"

namespace corvane::loader {

class SharedLibrary {
public:
  // Opens `path` with every symbol resolved now and none made global; a
  // file that does not open is no plugin, with the system's reason.
  static Expected<std::unique_ptr<SharedLibrary>> open(const std::string &path);

  ~SharedLibrary();
  SharedLibrary(const SharedLibrary &) = delete;
  SharedLibrary &operator=(const SharedLibrary &) = delete;

  // The address of the exported symbol `name`, or null.
  void *symbol(const char *name) const;

private:
  explicit SharedLibrary(void *handle) : handle_(handle) {}
  void *handle_;
};

} // namespace corvane::loader
