// Opening, looking into and closing dynamic libraries on each platform.
#include "shared_library.h"

#if defined(_WIN32)
#include <filesystem>
#include <system_error>

#include <windows.h>

#include "host/base/utf8_path.h"
#else
#include <dlfcn.h>
#endif

namespace corvane::loader {

#if defined(_WIN32)

namespace {

// Whether a loaded module's file header calls it a DLL. LoadLibraryW opens a
// program too, without running its start-up code: nothing in it may be called.
bool isDll(HMODULE module) {
  const auto *base = reinterpret_cast<const unsigned char *>(module);
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  return (headers->FileHeader.Characteristics & IMAGE_FILE_DLL) != 0;
}

} // namespace

Expected<std::unique_ptr<SharedLibrary>> SharedLibrary::open(const std::string &path) {
  // LoadLibraryW looks a name that is not a full path up on the DLL search
  // path, and takes forward slashes only in some forms of path. A plugin is
  // a file: it is made a full path from the working folder (one that starts
  // with a slash is on the working folder's drive), with backslashes only.
  std::filesystem::path file = platform::pathFromUtf8(path);
  std::error_code noFullPath;
  std::filesystem::path full = std::filesystem::absolute(file, noFullPath);
  if (!noFullPath) {
    file = std::move(full);
  }
  file.make_preferred();
  HMODULE module = LoadLibraryW(file.c_str());
  if (module == nullptr) {
    return Error{ErrorKind::NoPlugin, platform::windowsErrorText(GetLastError())};
  }
  if (!isDll(module)) {
    FreeLibrary(module);
    return Error{ErrorKind::NoPlugin, "it is a program, not a DLL"};
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(reinterpret_cast<void *>(module)));
}

SharedLibrary::~SharedLibrary() { FreeLibrary(reinterpret_cast<HMODULE>(handle_)); }

void *SharedLibrary::symbol(const char *name) const {
  return reinterpret_cast<void *>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
}

#else

Expected<std::unique_ptr<SharedLibrary>> SharedLibrary::open(const std::string &path) {
  // dlopen searches the library path for a bare name; a plugin is a file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void *handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char *reason = dlerror();
    return Error{ErrorKind::NoPlugin, reason != nullptr ? reason : "unknown error"};
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() { dlclose(handle_); }

void *SharedLibrary::symbol(const char *name) const {
  dlerror();
  return dlsym(handle_, name);
}

#endif

} // namespace corvane::loader
