// The entry point of every DLL of this build: the module's initialisers
// when the DLL is loaded, then its DllMain; its DllMain, then its exit
// functions, when it is unloaded.
//
// After a failed attach (an initialiser failed, or DllMain returned FALSE)
// Windows still sends DLL_PROCESS_DETACH before it unmaps the DLL. By then
// the module has already run its exit functions, so the attach count makes
// that notice do nothing: DllMain is not called on destroyed statics, and no
// exit function runs twice.
#include "module.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void *reserved);

namespace {

// How many process attaches succeeded and have not yet been detached: 0 or 1.
int process_attach_count = 0;

BOOL attach(HINSTANCE instance, void *reserved) {
  if (!msvc_clang_startup::initialize_module()) {
    // What the initialisers that ran registered is undone.
    msvc_clang_startup::terminate_module();
    return FALSE;
  }
  if (!DllMain(instance, DLL_PROCESS_ATTACH, reserved)) {
    msvc_clang_startup::terminate_module();
    return FALSE;
  }
  ++process_attach_count;
  return TRUE;
}

BOOL detach(HINSTANCE instance, void *reserved) {
  if (process_attach_count <= 0)
    return FALSE;
  const BOOL result = DllMain(instance, DLL_PROCESS_DETACH, reserved);
  msvc_clang_startup::terminate_module();
  --process_attach_count;
  return result;
}

} // namespace

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE instance, DWORD reason, void *reserved) {
  switch (reason) {
  case DLL_PROCESS_ATTACH:
    return attach(instance, reserved);
  case DLL_PROCESS_DETACH:
    return detach(instance, reserved);
  default:
    // Thread notices reach DllMain only while the process is attached.
    return process_attach_count > 0 ? DllMain(instance, reason, reserved) : FALSE;
  }
}
