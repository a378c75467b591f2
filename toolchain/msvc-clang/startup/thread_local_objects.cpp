// Construction and destruction of the module's thread_local objects. For
// each translation unit with such objects the compiler puts a pointer to
// their initialiser in .CRT$XDU, checks this thread's __tls_guard before
// every access (calling __dyn_tls_on_demand_init while it is false), and
// has each constructed object register its destructor with __tlregdtor.
// Its objects also ask the linker for __dyn_tls_init, the TLS callback
// below, which brings this file into the module.
//
// The initialisers run on a thread when it starts (through the TLS callback
// below, which the loader calls for every module with a TLS directory) or,
// for a thread that was running before the module was loaded, at its first
// access. The destructors run, last constructed first, when the thread ends
// or, for the thread that unloads the module, when the module is unloaded,
// before its DllMain and its static destructors.
#include <malloc.h>
#include <windows.h>

#include <corecrt_startup.h>

#pragma section(".CRT$XDA", long, read)
#pragma section(".CRT$XDZ", long, read)
#pragma section(".CRT$XLD", long, read)

extern "C" {
__declspec(allocate(".CRT$XDA")) _PVFV __xd_a = nullptr;
__declspec(allocate(".CRT$XDZ")) _PVFV __xd_z = nullptr;

__declspec(thread) bool __tls_guard = false;
}

namespace {

// One registered destructor; a thread's list is its own, newest first.
struct DestructorNode {
  _PVFV destructor;
  DestructorNode *next;
};
__declspec(thread) DestructorNode *thread_destructors = nullptr;

void construct_thread_objects() {
  if (__tls_guard)
    return;
  __tls_guard = true;
  // The table between the markers may hold gaps the linker left as zeros.
  for (const _PVFV *entry = &__xd_a + 1; entry < &__xd_z; ++entry) {
    if (*entry != nullptr)
      (*entry)();
  }
}

void destroy_thread_objects() {
  while (DestructorNode *node = thread_destructors) {
    thread_destructors = node->next;
    node->destructor();
    free(node);
  }
}

} // namespace

extern "C" {

void NTAPI __dyn_tls_init(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_THREAD_ATTACH)
    construct_thread_objects();
  else if (reason == DLL_THREAD_DETACH || reason == DLL_PROCESS_DETACH)
    destroy_thread_objects();
}

void __cdecl __dyn_tls_on_demand_init() { construct_thread_objects(); }

int __cdecl __tlregdtor(_PVFV destructor) {
  auto *node = static_cast<DestructorNode *>(malloc(sizeof(DestructorNode)));
  if (node == nullptr)
    return -1;
  node->destructor = destructor;
  node->next = thread_destructors;
  thread_destructors = node;
  return 0;
}

// Between tls_directory.cpp's .CRT$XLA and .CRT$XLZ markers: one of the
// callbacks the image's TLS directory lists.
extern const PIMAGE_TLS_CALLBACK __dyn_tls_callback;
__declspec(allocate(".CRT$XLD")) const PIMAGE_TLS_CALLBACK __dyn_tls_callback = __dyn_tls_init;
}
