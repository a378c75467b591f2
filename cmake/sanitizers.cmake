# Sanitizer flags for every target of the build: addresses, undefined
# behaviour and leaks (leak checking comes with AddressSanitizer on Linux),
# each report fatal so that a test fails on the first one.
#
# The dynamic-type check (vptr) stays off: it needs the type information of
# the plugin base class in every library that calls it, and that class lives
# only in the plugin libraries, never in the host that calls through it.
set(VEXLO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize=vptr
                          -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${VEXLO_SANITIZER_FLAGS})
add_link_options(-fsanitize=address,undefined -fno-sanitize=vptr)

if(VEXLO_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzzers need clang (libFuzzer); use the fuzz preset")
  endif()
  # Coverage feedback from every library the fuzzers reach, the plugin and
  # the host included; only the fuzz targets themselves link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
