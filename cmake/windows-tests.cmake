# The GoogleTest suite in the Windows cross build: GoogleTest compiled from
# source with the cross compiler, and every test program run under wine.
# Included by the top-level CMakeLists.txt before any target is made, so
# that each executable picks up the emulator.

# Debian ships GoogleTest for Linux only, as a library, and as sources in
# /usr/src/googletest (package googletest), which build for any target.
set(VEXLO_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built with the cross compiler for the Windows tests")
if(NOT EXISTS "${VEXLO_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "No GoogleTest sources in ${VEXLO_GOOGLETEST_SOURCE_DIR} "
                      "(Debian: apt-get install googletest), or configure with -DVEXLO_BUILD_TESTS=OFF")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# Only matters to MSVC; the C runtime of the tests must be the one the
# plugin and the SDK library use.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# Windows' own threads, not a pthreads library that a check on the build
# machine may think it found.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${VEXLO_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Third-party code: its warnings are not the project's to fix or to fail on.
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PRIVATE $<IF:$<BOOL:${MSVC}>,/w,-w>)
  set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
endforeach()
# The names tests/CMakeLists.txt links against, as find_package(GTest) gives
# them; GoogleTest 1.11 and later define them itself.
foreach(target gtest gtest_main gmock)
  if(NOT TARGET GTest::${target})
    add_library(GTest::${target} ALIAS ${target})
  endif()
endforeach()

# Every test program runs under wine, in the one prefix the Windows checks
# share (tests/windows). The build makes that prefix, once per build folder
# (wine-prefix below): made while the tests start, it took part of the time
# CTest gives a program to list its tests. The wrapper still makes it when
# it is missing, since test discovery runs the programs before any test
# fixture can.
find_program(VEXLO_WINE NAMES wine wine64 REQUIRED
             DOC "wine, runs the Windows files under test (Debian: apt-get install wine)")
get_filename_component(wine_dir "${VEXLO_WINE}" DIRECTORY)
find_program(VEXLO_WINESERVER NAMES wineserver HINTS "${wine_dir}" REQUIRED
             DOC "wine's server, started by the test wrapper apart from the tests' output")
find_program(VEXLO_WINEBOOT NAMES wineboot HINTS "${wine_dir}" REQUIRED
             DOC "starts a wine session's own processes, apart from the tests' output")
set(VEXLO_WINE_PREFIX ${CMAKE_BINARY_DIR}/tests/windows/wine-prefix)
set(VEXLO_MAKE_WINE_PREFIX_SCRIPT ${PROJECT_SOURCE_DIR}/tests/windows/make_wine_prefix.cmake)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE
               @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
find_program(VEXLO_FLOCK NAMES flock REQUIRED DOC "flock (util-linux), serialises making the wine prefix")
add_custom_command(OUTPUT ${VEXLO_WINE_PREFIX}/vexlo-prefix-ready
  COMMAND ${VEXLO_FLOCK} -o ${VEXLO_WINE_PREFIX}.lock
    ${CMAKE_COMMAND} -DWINE=${VEXLO_WINE} -DWINEPREFIX=${VEXLO_WINE_PREFIX}
    -P ${VEXLO_MAKE_WINE_PREFIX_SCRIPT}
  DEPENDS ${VEXLO_MAKE_WINE_PREFIX_SCRIPT}
  COMMENT "Making the wine prefix the tests run in")
add_custom_target(wine-prefix ALL DEPENDS ${VEXLO_WINE_PREFIX}/vexlo-prefix-ready)

# Listing a program's tests means starting wine: do it when CTest runs, not
# at every build, where a slow or failed wine start would break the build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
