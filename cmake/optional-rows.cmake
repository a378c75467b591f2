# vexlo_rows_need(FOUND WHAT): whether a table of tests that needs a tool can
# be registered. FOUND is the tool's find result, WHAT names the rows and
# the tool. Without the tool the rows are off, said as a status line; in CI
# (CI=true) the configure stops instead, so that no table drops out of a CI
# run unseen. Sets VEXLO_ROWS_ON in the caller's scope.
function(vexlo_rows_need found what)
  if(found)
    set(VEXLO_ROWS_ON TRUE PARENT_SCOPE)
    return()
  endif()
  if("$ENV{CI}" STREQUAL "true")
    message(FATAL_ERROR "${what}: the tool is missing, and CI=true: install it, "
                        "or these rows drop out unseen")
  endif()
  message(STATUS "${what}: off")
  set(VEXLO_ROWS_ON FALSE PARENT_SCOPE)
endfunction()
