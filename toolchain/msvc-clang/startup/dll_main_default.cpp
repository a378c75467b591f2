// The DllMain of a DLL that defines none: the linker takes this one from the
// library only when the DLL's own objects leave DllMain undefined.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, void *) { return TRUE; }
