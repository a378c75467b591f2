# For builds without screenshots (no Cairo or FreeType, as on Windows): a
# scenario's sim_screenshot would stop the script, so each is played as a
# plain frame instead. The plugin makes the same drawing calls into it, and
# the output lacks only the line that names the written picture.

# vexlo_scenario_without_screenshots(SCENARIO_VAR EXPECTED_VAR FOLDER):
# when the script in ${SCENARIO_VAR} takes screenshots, writes the frame-only
# copy into FOLDER and points SCENARIO_VAR at it, and drops the picture's
# line from the expected text in EXPECTED_VAR.
function(vexlo_scenario_without_screenshots scenario_var expected_var folder)
  file(READ "${${scenario_var}}" script)
  if(NOT script MATCHES "sim_screenshot")
    return()
  endif()
  string(REGEX REPLACE "([\n;][ \t]*)sim_screenshot[ \t]+[^;\n]*" "\\1sim_frame" script
                       "\n${script}")
  string(SUBSTRING "${script}" 1 -1 script)
  get_filename_component(name "${${scenario_var}}" NAME)
  set(copy "${folder}/without-screenshots-${name}")
  file(WRITE "${copy}" "${script}")
  string(REGEX REPLACE "\nscreenshot: [^\n]*" "" expected "\n${${expected_var}}")
  string(SUBSTRING "${expected}" 1 -1 expected)
  set(${scenario_var} "${copy}" PARENT_SCOPE)
  set(${expected_var} "${expected}" PARENT_SCOPE)
endfunction()
