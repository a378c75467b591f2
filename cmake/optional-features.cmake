# The stand-in host's optional features and the libraries each needs, all
# switched one way.
#
# vexlo_optional_feature(VAR "what it gives" NEEDS KIND:NAME:PACKAGE...)
#
# VAR is a cache setting a person or a preset sets to ON (the libraries are
# required: configuring stops with the Debian packages to install), OFF (the
# feature is left out, as in builds that cannot have it) or AUTO (on when
# the libraries are there). Each NEEDS entry is one library: KIND is
# `package` (found with find_package(NAME)) or `pkg-config` (found with
# pkg_check_modules as an imported target PkgConfig::NAME), and PACKAGE the
# Debian package that installs it. A required feature whose libraries are
# missing stops the configure, after every feature was looked at.
#
# The libraries are looked for on every configure: a failed search is not
# kept, so a library installed after the first configure is found by the
# next one without deleting the build folder. The decision is then set as a
# plain variable of the same name, ON or OFF, which every folder of the
# build reads; AUTO never reaches them.
function(vexlo_optional_feature var summary)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "NEEDS")
  set(${var} AUTO CACHE STRING "${summary}: ON (required), OFF or AUTO (when found)")
  set_property(CACHE ${var} PROPERTY STRINGS AUTO ON OFF)
  set(request "${${var}}")
  if(NOT request MATCHES "^(AUTO|ON|OFF)$")
    message(FATAL_ERROR "${var} is ON, OFF or AUTO, not \"${request}\"")
  endif()
  if(request STREQUAL "OFF")
    set(${var} OFF PARENT_SCOPE)
    message(STATUS "${summary}: off (${var}=OFF)")
    return()
  endif()

  set(missing "")
  foreach(need IN LISTS arg_NEEDS)
    string(REPLACE ":" ";" need "${need}")
    list(GET need 0 kind)
    list(GET need 1 name)
    list(GET need 2 package)
    if(kind STREQUAL "package")
      find_package(${name} QUIET)
      string(TOUPPER "${name}" upper)
      if(NOT (${name}_FOUND OR ${upper}_FOUND))
        list(APPEND missing ${package})
      endif()
    elseif(kind STREQUAL "pkg-config")
      # A cross build is not offered the build machine's libraries:
      # pkg-config answers for the machine it runs on, not for the target.
      find_package(PkgConfig QUIET)
      if(NOT PKG_CONFIG_FOUND)
        list(APPEND missing pkg-config ${package})
      elseif(CMAKE_CROSSCOMPILING)
        list(APPEND missing ${package})
      else()
        pkg_check_modules(${name} QUIET IMPORTED_TARGET ${name})
        if(NOT ${name}_FOUND)
          list(APPEND missing ${package})
        endif()
      endif()
    else()
      message(FATAL_ERROR "vexlo_optional_feature: unknown kind ${kind} in ${var}")
    endif()
  endforeach()

  list(REMOVE_DUPLICATES missing)
  list(JOIN missing " " packages)
  if(NOT missing)
    set(${var} ON PARENT_SCOPE)
    message(STATUS "${summary}: on")
  elseif(request STREQUAL "ON")
    # Reported once for all features, below, so that one message names
    # every package to install.
    set(vexlo_required_missing ${vexlo_required_missing} "${var} (${summary}): ${packages}"
        PARENT_SCOPE)
    set(vexlo_required_packages ${vexlo_required_packages} ${missing} PARENT_SCOPE)
  else()
    set(${var} OFF PARENT_SCOPE)
    message(STATUS "${summary}: off, not found (Debian packages: ${packages})")
  endif()
endfunction()

vexlo_optional_feature(VEXLO_SCREENSHOTS "Screenshots (sim_screenshot)"
  NEEDS pkg-config:cairo:libcairo2-dev pkg-config:glib-2.0:libglib2.0-dev
        pkg-config:pangocairo:libpango1.0-dev pkg-config:pangoft2:libpango1.0-dev
        pkg-config:fontconfig:libfontconfig-dev)
vexlo_optional_feature(VEXLO_TIMELINE "Timeline pictures (sim_timeline, --timeline)"
  NEEDS pkg-config:cairo:libcairo2-dev pkg-config:glib-2.0:libglib2.0-dev)
vexlo_optional_feature(VEXLO_LINE_EDITING "Line editing at corvane-sim's prompt"
  NEEDS pkg-config:libedit:libedit-dev)

if(vexlo_required_packages)
  list(REMOVE_DUPLICATES vexlo_required_packages)
  list(JOIN vexlo_required_packages " " packages)
  list(JOIN vexlo_required_missing "\n  " features)
  message(FATAL_ERROR
          "Libraries this build needs are not installed:\n  ${features}\n"
          "On Debian or Ubuntu, install them with\n  sudo apt-get install ${packages}\n"
          "and configure again (the build folder can stay). To build without a feature, set "
          "it to OFF (-DVEXLO_TIMELINE=OFF, say).")
endif()
