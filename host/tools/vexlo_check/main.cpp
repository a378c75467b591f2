// vexlo-check: before vexlo.dll is copied into the host, or after the host
// updates, whether the host's own SDK exports every function vexlo.dll
// imports from it. The same check, messages and statuses as corvane-sim's
// check-sdk verb, as a small program for players.
#include <exception>
#include <iostream>

#include "host/base/utf8_path.h"
#include "host/tools/check_sdk/check_sdk.h"

namespace {

constexpr corvane::sdkcheck::Program kVexloCheck{
    "vexlo-check", "usage: vexlo-check VEXLO.dll HOST_SDK\n"
                   "\n"
                   "Checks that the host's SDK, HOST_SDK (its pluginsdk.dll in the host's\n"
                   "folder, or its import library pluginsdk.lib), exports every function\n"
                   "VEXLO.dll imports from it. Run it when the host says it cannot load\n"
                   "Vexlo, and after the host updates, before copying vexlo.dll into the\n"
                   "host's plugins folder:\n"
                   "\n"
                   "  vexlo-check.exe vexlo.dll \"C:\\path\\to\\the\\host\\pluginsdk.dll\"\n"
                   "\n"
                   "Exit status: 0 every function is there: vexlo.dll fits this host;\n"
                   "1 some are missing (each is listed): vexlo.dll will not load into this\n"
                   "host, do not copy it; 2 a file given is not what it should be (one line\n"
                   "says what it is), or the command was mistyped.\n"};

} // namespace

int main(int argc, char **argv) {
  corvane::platform::useBinaryStandardStreams();
  try {
    return corvane::sdkcheck::checkSdkMain(corvane::platform::utf8Arguments(argc, argv), std::cout,
                                           std::cerr, kVexloCheck);
  } catch (const std::exception &error) {
    std::cerr << "vexlo-check: " << error.what() << '\n';
    return corvane::exitStatus(corvane::Outcome::BadInput);
  }
}
