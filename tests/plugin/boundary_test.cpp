// The plugin library as a host first meets it: its exported symbols, its
// descriptor bytes, and the lifetime of its one plugin object.
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
// After <windows.h>, which it counts on.
#include <dbghelp.h>
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <corvane/entry.h>
#include <corvane/plugin.h>

#include "host/session/loader/shared_library.h"

namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::IsSupersetOf;
using ::testing::StartsWith;
using ::testing::Truly;

using PluginPtr = std::shared_ptr<Corvane::Plugin::CorvanePlugin>;

// The plugin library opened directly, as a host does before it trusts it.
class OpenedLibrary {
public:
  void *symbol(const char *name) const { return library_ ? (*library_)->symbol(name) : nullptr; }
  bool opened() const { return static_cast<bool>(library_); }
  const std::string &error() const { return library_.error().message; }

  PluginPtr *getPlugin() const {
    return reinterpret_cast<CorvaneGetPluginFunction *>(symbol("getPlugin"))();
  }
  void deleteMe() const { reinterpret_cast<CorvaneDeleteMeFunction *>(symbol("deleteMe"))(); }

private:
  corvane::Expected<std::unique_ptr<corvane::loader::SharedLibrary>> library_ =
      corvane::loader::SharedLibrary::open(VEXLO_PLUGIN_PATH);
};

std::uint64_t slot(const unsigned char *bytes, std::size_t offset) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    value |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
  }
  return value;
}

const char *textAt(const unsigned char *bytes, std::size_t offset) {
  return reinterpret_cast<const char *>(static_cast<std::uintptr_t>(slot(bytes, offset)));
}

#if defined(_WIN32)
// The names in the loaded library's export directory, undecorated without
// access, calling convention, return type or virtual: what a Windows host
// can find in it with GetProcAddress.
std::set<std::string> exportedSymbols() {
  std::set<std::string> names;
  OpenedLibrary library;
  HMODULE module = nullptr;
  if (!library.opened() ||
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCWSTR>(library.symbol("exports")), &module) == 0) {
    return names;
  }
  const auto *base = reinterpret_cast<const unsigned char *>(module);
  const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY &table =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto *directory =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + table.VirtualAddress);
  const auto *nameOffsets = reinterpret_cast<const DWORD *>(base + directory->AddressOfNames);
  constexpr DWORD kPlainName = UNDNAME_NO_MS_KEYWORDS | UNDNAME_NO_FUNCTION_RETURNS |
                               UNDNAME_NO_ACCESS_SPECIFIERS | UNDNAME_NO_MEMBER_TYPE;
  for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
    const char *decorated = reinterpret_cast<const char *>(base + nameOffsets[i]);
    std::array<char, 1024> text{};
    names.insert(decorated[0] == '?' &&
                         UnDecorateSymbolName(decorated, text.data(),
                                              static_cast<DWORD>(text.size()), kPlainName) != 0
                     ? text.data()
                     : decorated);
  }
  return names;
}
#else
// The defined dynamic symbols of the built library, demangled.
std::set<std::string> exportedSymbols() {
  std::set<std::string> names;
  const std::string command = std::string("nm -D --defined-only -C '") + VEXLO_PLUGIN_PATH + "'";
  std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) {
    return names;
  }
  std::array<char, 512> line{};
  while (fgets(line.data(), static_cast<int>(line.size()), pipe.get()) != nullptr) {
    std::string text(line.data());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
      text.pop_back();
    }
    // "ADDRESS TYPE NAME"
    const auto nameStart = text.find(' ', text.find(' ') + 1);
    if (nameStart != std::string::npos) {
      names.insert(text.substr(nameStart + 1));
    }
  }
  return names;
}
#endif

#if defined(_WIN32)
// How Microsoft's tools spell the base class's vtable and parameter lists.
const char *const kPluginVtable = "const Corvane::Plugin::CorvanePlugin::`vftable'";
const char *const kNoParameters = "(void)";
const char *const kCopyParameter = "(class Corvane::Plugin::CorvanePlugin const &)";
const char *const kMoveParameter = "(class Corvane::Plugin::CorvanePlugin &&)";
#else
// How GCC's tools spell the base class's vtable and parameter lists.
const char *const kPluginVtable = "vtable for Corvane::Plugin::CorvanePlugin";
const char *const kNoParameters = "()";
const char *const kCopyParameter = "(Corvane::Plugin::CorvanePlugin const&)";
const char *const kMoveParameter = "(Corvane::Plugin::CorvanePlugin&&)";
#endif

TEST(PluginExports, ShowOnlyTheEntryPointsAndThePluginBaseClass) {
  const std::set<std::string> names = exportedSymbols();
  ASSERT_FALSE(names.empty()) << "no exports read from " << VEXLO_PLUGIN_PATH;
  const std::string member = "Corvane::Plugin::CorvanePlugin::";
  for (const std::string &name : names) {
    const bool entryPoint = name == "exports" || name == "getPlugin" || name == "deleteMe";
    const bool baseClass = name.rfind(member, 0) == 0 || name == kPluginVtable ||
                           name == "typeinfo for Corvane::Plugin::CorvanePlugin" ||
                           name == "typeinfo name for Corvane::Plugin::CorvanePlugin";
    EXPECT_TRUE(entryPoint || baseClass) << "unexpected export: " << name;
  }
  const std::vector<std::string> required = {"exports",
                                             "getPlugin",
                                             "deleteMe",
                                             kPluginVtable,
                                             member + "CorvanePlugin" + kNoParameters,
                                             member + "CorvanePlugin" + kCopyParameter,
                                             member + "CorvanePlugin" + kMoveParameter,
                                             member + "~CorvanePlugin" + kNoParameters,
                                             member + "operator=" + kCopyParameter,
                                             member + "operator=" + kMoveParameter,
                                             member + "onLoad" + kNoParameters,
                                             member + "onUnload" + kNoParameters};
  EXPECT_THAT(names, IsSupersetOf(required));
}

TEST(PluginDescriptor, HoldsItsSixtyFourBytesExactly) {
  OpenedLibrary library;
  ASSERT_TRUE(library.opened()) << library.error();
  const auto *bytes = static_cast<const unsigned char *>(library.symbol("exports"));
  ASSERT_NE(bytes, nullptr);

  EXPECT_EQ(slot(bytes, 0), 95U) << "API version, upper half zero";
  // A drive letter, a colon and a backslash, then the path. (GoogleTest's
  // regular expressions on Windows have no bracket classes.)
  const auto startsWithDrive = [](const char *path) {
    return path != nullptr && std::isalpha(static_cast<unsigned char>(path[0])) != 0 &&
           path[1] == ':' && path[2] == '\\';
  };
  EXPECT_THAT(textAt(bytes, 8),
              AllOf(Truly(startsWithDrive), EndsWith("\\source\\vexlo\\vexlo.cpp")));
  EXPECT_STREQ(textAt(bytes, 16), "vexlo");
  EXPECT_STREQ(textAt(bytes, 24), "Vexlo");
  EXPECT_STREQ(textAt(bytes, 32), "1.3a");
  EXPECT_EQ(slot(bytes, 40), 0x20U) << "type flags, upper half zero";
  EXPECT_EQ(slot(bytes, 48), reinterpret_cast<std::uintptr_t>(library.symbol("getPlugin")));
  EXPECT_EQ(slot(bytes, 56), reinterpret_cast<std::uintptr_t>(library.symbol("deleteMe")));
}

TEST(PluginLifetime, GetPluginTwiceGivesOneObject) {
  OpenedLibrary library;
  ASSERT_TRUE(library.opened()) << library.error();
  PluginPtr *first = library.getPlugin();
  Corvane::Plugin::CorvanePlugin *object = first->get();
  PluginPtr *second = library.getPlugin();
  EXPECT_EQ(first, second);
  EXPECT_EQ(second->get(), object);
  EXPECT_EQ(second->use_count(), 1);
  EXPECT_EQ(object->cvarManagerHandle, nullptr);
  EXPECT_EQ(object->gameWrapperHandle, nullptr);
  library.deleteMe();
}

TEST(PluginLifetime, DeleteMeWithoutAnObjectDoesNothing) {
  OpenedLibrary library;
  ASSERT_TRUE(library.opened()) << library.error();
  library.deleteMe();
  PluginPtr *owner = library.getPlugin();
  ASSERT_NE(owner->get(), nullptr);
  library.deleteMe();
  library.deleteMe();
  EXPECT_EQ(owner->get(), nullptr);
  EXPECT_NE(library.getPlugin()->get(), nullptr) << "a new object after the old one went";
  library.deleteMe();
}

TEST(PluginLifetime, AShareHeldByTheHostKeepsTheObjectAlive) {
  OpenedLibrary library;
  ASSERT_TRUE(library.opened()) << library.error();
  PluginPtr hostShare = *library.getPlugin();
  std::weak_ptr<Corvane::Plugin::CorvanePlugin> watcher = hostShare;
  library.deleteMe();
  EXPECT_FALSE(watcher.expired()) << "the host's share keeps the object";
  hostShare.reset();
  EXPECT_TRUE(watcher.expired());
}

} // namespace
