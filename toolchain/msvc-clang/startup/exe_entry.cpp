// The entry point of every console program of this build: the runtime's
// view of the process (console program, narrow arguments, environment),
// the program's initialisers, main, and exit with its result. exit runs
// the process's exit functions, and the program's own table among them.
#include "module.h"

#include <stdlib.h>

int main(int argc, char **argv, char **envp);

namespace {
void __cdecl run_program_exit_functions() { msvc_clang_startup::terminate_module(); }
} // namespace

extern "C" int mainCRTStartup() {
  _set_app_type(_crt_console_app);
  if (_configure_narrow_argv(_crt_argv_unexpanded_arguments) != 0 ||
      _initialize_narrow_environment() != 0 || !msvc_clang_startup::initialize_module() ||
      _crt_atexit(run_program_exit_functions) != 0) {
    exit(255);
  }
  exit(main(*__p___argc(), *__p___argv(), _get_initial_narrow_environment()));
}
