// The module's initialiser tables and its own atexit table.
//
// The compiler puts a pointer to each translation unit's dynamic
// initialiser in a section .CRT$XCU, and C initialisers in .CRT$XIU; the
// linker sorts sections of one name by the text after '$', so markers in
// .CRT$XCA and .CRT$XCZ bound the table. atexit registers into a table of
// this module, run when it ends: for a DLL when it is unloaded, which the
// process-wide table of ucrtbase.dll would do only at process exit, after
// the DLL's code is gone. at_quick_exit likewise registers into a table of
// this module, which quick_exit runs through one entry of the process's
// table; since that entry cannot be taken back, a module that registers
// there stays loaded until the process ends, rather than leave quick_exit a
// call into code that is gone.
#include "module.h"

#include <stdlib.h>
#include <vcruntime_typeinfo.h>
#include <windows.h>

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
_onexit_table_t module_quick_exit_table;

void __cdecl run_module_quick_exit_functions() { _execute_onexit_table(&module_quick_exit_table); }

bool hook_into_quick_exit() {
  HMODULE self = nullptr;
  return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                            reinterpret_cast<LPCWSTR>(&module_quick_exit_table), &self) &&
         _crt_at_quick_exit(run_module_quick_exit_functions) == 0;
}
} // namespace

extern "C" int __cdecl atexit(void(__cdecl *function)(void)) {
  return _register_onexit_function(&module_exit_table, reinterpret_cast<_onexit_t>(function)) == 0
             ? 0
             : -1;
}

extern "C" _onexit_t __cdecl _onexit(_onexit_t function) {
  return _register_onexit_function(&module_exit_table, function) == 0 ? function : nullptr;
}

extern "C" int __cdecl at_quick_exit(void(__cdecl *function)(void)) {
  static const bool hooked = hook_into_quick_exit();
  if (!hooked)
    return -1;
  return _register_onexit_function(&module_quick_exit_table,
                                   reinterpret_cast<_onexit_t>(function)) == 0
             ? 0
             : -1;
}

namespace msvc_clang_startup {

bool initialize_module() {
  __security_init_cookie();
  if (_initialize_onexit_table(&module_exit_table) != 0 ||
      _initialize_onexit_table(&module_quick_exit_table) != 0)
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
