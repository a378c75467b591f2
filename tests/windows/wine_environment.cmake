# The environment every wine run of the Windows tests shares: one prefix in
# the build folder, no debug chatter on stderr, and none of the installers
# for .NET or the HTML engine that a new prefix would otherwise offer.
#
# Expects WINEPREFIX (a folder) to be set by the including script.

if(NOT WINEPREFIX)
  message(FATAL_ERROR "WINEPREFIX is not set")
endif()
set(ENV{WINEPREFIX} "${WINEPREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree=;mshtml=")
# Wine would otherwise look for an X display to show its dialogs on.
unset(ENV{DISPLAY})

