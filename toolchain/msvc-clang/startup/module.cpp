// The module's initialiser tables and its own atexit table.
//
// The compiler puts a pointer to each translation unit's dynamic
// initialiser in a section .CRT$XCU, and C initialisers in .CRT$XIU; the
// linker sorts sections of one name by the text after '$', so markers in
// .CRT$XCA and .CRT$XCZ bound the table. atexit registers into a table of
// this module, run when it ends: for a DLL when it is unloaded, which the
// process-wide table of ucrtbase.dll would do only at process exit, after
// the DLL's code is gone.
#include "module.h"

#include <stdlib.h>
#include <vcruntime_typeinfo.h>

#pragma section(".CRT$XIA", long, read)
#pragma section(".CRT$XIZ", long, read)
#pragma section(".CRT$XCA", long, read)
#pragma section(".CRT$XCZ", long, read)

extern "C" {
__declspec(allocate(".CRT$XIA")) _PIFV __xi_a[] = {nullptr};
__declspec(allocate(".CRT$XIZ")) _PIFV __xi_z[] = {nullptr};
__declspec(allocate(".CRT$XCA")) _PVFV __xc_a[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) _PVFV __xc_z[] = {nullptr};
}

namespace {
_onexit_table_t module_exit_table;
} // namespace

extern "C" int __cdecl atexit(void(__cdecl *function)(void)) {
  return _register_onexit_function(&module_exit_table, reinterpret_cast<_onexit_t>(function)) == 0
             ? 0
             : -1;
}

extern "C" _onexit_t __cdecl _onexit(_onexit_t function) {
  return _register_onexit_function(&module_exit_table, function) == 0 ? function : nullptr;
}

namespace msvc_clang_startup {

bool initialize_module() {
  __security_init_cookie();
  if (_initialize_onexit_table(&module_exit_table) != 0)
    return false;
  if (_initterm_e(__xi_a, __xi_z) != 0)
    return false;
  _initterm(__xc_a, __xc_z);
  return true;
}

void terminate_module() {
  _execute_onexit_table(&module_exit_table);
  // The undecorated names type_info::name() cached for this module.
  __std_type_info_destroy_list(&__type_info_root_node);
}

} // namespace msvc_clang_startup
