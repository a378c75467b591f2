// SharedLibrary: one loaded dynamic library, dlopen or LoadLibraryW behind
// one small class.
#pragma once

#include <memory>
#include <string>

namespace corvane::loader {

class SharedLibrary {
public:
  // Opens `path` with every symbol resolved now and none made global. On
  // failure returns null and sets `error` to the system's reason.
  static std::unique_ptr<SharedLibrary> open(const std::string &path, std::string &error);

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
