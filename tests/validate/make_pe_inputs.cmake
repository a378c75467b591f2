# Makes the small Windows files the check-sdk rows and the PE fuzzer's seeds
# are read from, with LLVM's Windows tools, no wine and no Windows runtime:
#   pluginsdk.dll/.lib  a stand-in SDK (pe_inputs/sdk.cpp) and its import library
#   vexlo.dll           a stand-in plugin (pe_inputs/plugin.cpp) importing from it
#   delayed/vexlo.dll   the same plugin delay-loading pluginsdk.dll
#   older/              the SDK without StartMatchmaking, as an older host's
#   ordinals/           the SDK with fixed ordinals, and a plugin importing by them
#   arm64/              the SDK, its import library and the plugin for ARM64
#   kernel32.dll        the SDK linked under another DLL's name
#   kernel32.lib        an import library of another DLL; merged.lib both at once
#   cut-off/            the plugin and the SDK without their last 512 bytes
#
#   cmake -DCLANG=clang-19 -DLLD_LINK=lld-link -DDLLTOOL=llvm-dlltool
#         -DLLVM_LIB=llvm-lib -DPERL=perl -DWORK_DIR=... -P this file
cmake_minimum_required(VERSION 3.25)
set(sources ${CMAKE_CURRENT_LIST_DIR}/pe_inputs)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/delayed ${WORK_DIR}/older ${WORK_DIR}/ordinals ${WORK_DIR}/arm64
     ${WORK_DIR}/cut-off)

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed with ${status}:\n${output}")
  endif()
endfunction()

# compile(OBJECT SOURCE TARGET [DEFINES...]) and link(OUT MACHINE FILES...):
# no entry point and no runtime, so nothing but the tables under test.
function(compile object source target)
  list(TRANSFORM ARGN PREPEND -D OUTPUT_VARIABLE defines)
  run(${CLANG} --target=${target}-pc-windows-msvc -O1 -c ${sources}/${source} -o ${object}
      ${defines})
endfunction()
function(link out machine)
  run(${LLD_LINK} /dll /noentry /nodefaultlib /machine:${machine} /out:${out} ${ARGN})
endfunction()

compile(sdk.obj sdk.cpp x86_64)
compile(sdk-older.obj sdk.cpp x86_64 OLDER_SDK)
compile(plugin.obj plugin.cpp x86_64)
compile(plugin-delayed.obj plugin.cpp x86_64 DELAY_HELPER)
link(pluginsdk.dll x64 sdk.obj /implib:pluginsdk.lib)
link(vexlo.dll x64 plugin.obj pluginsdk.lib)
link(delayed/vexlo.dll x64 plugin-delayed.obj pluginsdk.lib /delayload:pluginsdk.dll)
link(older/pluginsdk.dll x64 sdk-older.obj /implib:older/pluginsdk.lib)
link(kernel32.dll x64 sdk.obj /implib:kernel32-sdk.lib)

# Fixed ordinals in the SDK; the plugin links against a library that names
# none of them (NONAME) and so imports by ordinal.
set(exports "?SetPlaylistSelection@MatchmakingWrapper@@QEAAXH_N@Z @3"
            "?StartMatchmaking@MatchmakingWrapper@@QEAAXH@Z @7" "sdkVersion @9")
list(JOIN exports "\n  " named)
file(WRITE ${WORK_DIR}/ordinals/sdk.def "LIBRARY pluginsdk.dll\nEXPORTS\n  ${named}\n")
list(TRANSFORM exports APPEND " NONAME")
list(JOIN exports "\n  " unnamed)
file(WRITE ${WORK_DIR}/ordinals/noname.def "LIBRARY pluginsdk.dll\nEXPORTS\n  ${unnamed}\n")
link(ordinals/pluginsdk.dll x64 sdk.obj /def:ordinals/sdk.def /implib:ordinals/pluginsdk.lib)
run(${DLLTOOL} -m i386:x86-64 -d ordinals/noname.def -l ordinals/noname.lib)
link(ordinals/vexlo.dll x64 plugin.obj ordinals/noname.lib)

compile(arm64/sdk.obj sdk.cpp aarch64)
compile(arm64/plugin.obj plugin.cpp aarch64)
link(arm64/pluginsdk.dll arm64 arm64/sdk.obj /implib:arm64/pluginsdk.lib)
link(arm64/vexlo.dll arm64 arm64/plugin.obj arm64/pluginsdk.lib)

file(WRITE ${WORK_DIR}/kernel32.def "LIBRARY kernel32.dll\nEXPORTS\n  GetTickCount\n  Sleep\n")
run(${DLLTOOL} -m i386:x86-64 -d kernel32.def -l kernel32.lib)
run(${LLVM_LIB} /out:merged.lib pluginsdk.lib kernel32.lib)

foreach(file vexlo.dll pluginsdk.dll)
  file(COPY_FILE ${WORK_DIR}/${file} ${WORK_DIR}/cut-off/${file})
  run(${PERL} -e "truncate($ARGV[0], (-s $ARGV[0]) - 512) or die" cut-off/${file})
endforeach()

# With MANY: a plugin importing 65,000 functions from pluginsdk.dll, and the
# import library that has them (a perl script writes the long lists).
if(MANY)
  file(MAKE_DIRECTORY ${WORK_DIR}/many)
  file(WRITE ${WORK_DIR}/many/write-lists.pl [=[
open(my $def, '>', 'many/sdk.def') or die;
open(my $asm, '>', 'many/plugin.s') or die;
print $def "LIBRARY pluginsdk.dll\nEXPORTS\n";
print $asm ".data\n";
for my $index (0 .. 64999) {
  print $def "  function$index\n";
  print $asm "  .quad __imp_function$index\n";
}
]=])
  run(${PERL} many/write-lists.pl)
  run(${DLLTOOL} -m i386:x86-64 -d many/sdk.def -l many/pluginsdk.lib)
  run(${CLANG} --target=x86_64-pc-windows-msvc -c many/plugin.s -o many/plugin.obj)
  link(many/vexlo.dll x64 many/plugin.obj many/pluginsdk.lib)
endif()
