// The entry point of every DLL of this build: the module's initialisers
// when the DLL is loaded, then its DllMain; its DllMain, then its exit
// functions, when it is unloaded.
#include "module.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void *reserved);

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE instance, DWORD reason, void *reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!msvc_clang_startup::initialize_module())
      return FALSE;
    if (!DllMain(instance, reason, reserved)) {
      msvc_clang_startup::terminate_module();
      return FALSE;
    }
    return TRUE;
  }
  const BOOL result = DllMain(instance, reason, reserved);
  if (reason == DLL_PROCESS_DETACH)
    msvc_clang_startup::terminate_module();
  return result;
}
