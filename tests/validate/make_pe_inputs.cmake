# Makes small Windows files with LLVM's tools, for the check-sdk rows and the
# PE fuzzer's seeds: pluginsdk.dll/.lib and vexlo.dll (pe_inputs/), and the
# same as an older SDK (older/), delay-loaded (delayed/), by ordinal
# (ordinals/), for ARM64 (arm64/), without their last 512 bytes (cut-off/),
# linked as kernel32.dll, another DLL's import library and one merged with
# it; with MANY, a plugin importing 65,000 functions (many/).
#   cmake -DCLANG= -DLLD_LINK= -DDLLTOOL= -DLLVM_LIB= -DPERL= -DWORK_DIR= [-DMANY=ON] -P this
cmake_minimum_required(VERSION 3.25)
set(sources ${CMAKE_CURRENT_LIST_DIR}/pe_inputs)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/delayed ${WORK_DIR}/older ${WORK_DIR}/ordinals ${WORK_DIR}/arm64
     ${WORK_DIR}/cut-off ${WORK_DIR}/many)
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed with ${status}:\n${output}")
  endif()
endfunction()
# No entry point and no runtime: nothing but the tables under test.
function(compile object source target)
  list(TRANSFORM ARGN PREPEND -D OUTPUT_VARIABLE defines)
  run(${CLANG} --target=${target}-pc-windows-msvc -O1 -c ${source} -o ${object} ${defines})
endfunction()
function(link out machine)
  run(${LLD_LINK} /dll /noentry /nodefaultlib /machine:${machine} /out:${out} ${ARGN})
endfunction()

compile(sdk.obj ${sources}/sdk.cpp x86_64)
compile(sdk-older.obj ${sources}/sdk.cpp x86_64 OLDER_SDK)
compile(plugin.obj ${sources}/plugin.cpp x86_64)
compile(plugin-delayed.obj ${sources}/plugin.cpp x86_64 DELAY_HELPER)
link(pluginsdk.dll x64 sdk.obj /implib:pluginsdk.lib)
link(vexlo.dll x64 plugin.obj pluginsdk.lib)
link(delayed/vexlo.dll x64 plugin-delayed.obj pluginsdk.lib /delayload:pluginsdk.dll)
link(older/pluginsdk.dll x64 sdk-older.obj /implib:older/pluginsdk.lib)
link(kernel32.dll x64 sdk.obj /implib:kernel32-sdk.lib)
# The SDK at fixed ordinals; the plugin links against a library that names
# none (NONAME), so it imports by ordinal.
set(exports "?SetPlaylistSelection@MatchmakingWrapper@@QEAAXH_N@Z @3"
            "?StartMatchmaking@MatchmakingWrapper@@QEAAXH@Z @7" "sdkVersion @9")
list(JOIN exports "\n" named)
file(WRITE ${WORK_DIR}/ordinals/sdk.def "LIBRARY pluginsdk.dll\nEXPORTS\n${named}\n")
string(REPLACE "\n" " NONAME\n" unnamed "${named}\n")
file(WRITE ${WORK_DIR}/ordinals/noname.def "LIBRARY pluginsdk.dll\nEXPORTS\n${unnamed}")
link(ordinals/pluginsdk.dll x64 sdk.obj /def:ordinals/sdk.def /implib:ordinals/pluginsdk.lib)
run(${DLLTOOL} -m i386:x86-64 -d ordinals/noname.def -l ordinals/noname.lib)
link(ordinals/vexlo.dll x64 plugin.obj ordinals/noname.lib)
compile(arm64/sdk.obj ${sources}/sdk.cpp aarch64)
compile(arm64/plugin.obj ${sources}/plugin.cpp aarch64)
link(arm64/pluginsdk.dll arm64 arm64/sdk.obj /implib:arm64/pluginsdk.lib)
link(arm64/vexlo.dll arm64 arm64/plugin.obj arm64/pluginsdk.lib)
file(WRITE ${WORK_DIR}/kernel32.def "LIBRARY kernel32.dll\nEXPORTS\n  GetTickCount\n  Sleep\n")
run(${DLLTOOL} -m i386:x86-64 -d kernel32.def -l kernel32.lib)
run(${LLVM_LIB} /out:merged.lib pluginsdk.lib kernel32.lib)
foreach(file vexlo.dll pluginsdk.dll)
  file(COPY_FILE ${WORK_DIR}/${file} ${WORK_DIR}/cut-off/${file})
  run(${PERL} -e "truncate($ARGV[0], (-s $ARGV[0]) - 512) or die" cut-off/${file})
endforeach()
if(MANY)
  run(${PERL} ${sources}/many_imports.pl)
  run(${DLLTOOL} -m i386:x86-64 -d many/sdk.def -l many/pluginsdk.lib)
  compile(many/plugin.obj many/plugin.s x86_64)
  link(many/vexlo.dll x64 many/plugin.obj many/pluginsdk.lib)
endif()
