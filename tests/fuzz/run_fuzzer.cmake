# Runs one fuzzer for SECONDS from CORPUS (new inputs go there) and the
# seed folder SEEDS, if any, then says how many inputs a second it ran.
# A crash, leak, sanitizer report or difference prints the fuzzer's whole
# output and fails.
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=20 -rss_limit_mb=4096
          -print_final_stats=1 ${CORPUS} ${SEEDS}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
get_filename_component(name ${FUZZER} NAME)
if(NOT result EQUAL 0)
  message("${output}")
  message(FATAL_ERROR "${name} failed: ${result}")
endif()
if(NOT output MATCHES "stat::number_of_executed_units: *([0-9]+).*stat::average_exec_per_sec: *([0-9]+)")
  message("${output}")
  message(FATAL_ERROR "${name} printed no final statistics")
endif()
message("${name}: ${CMAKE_MATCH_1} inputs in ${SECONDS} s, ${CMAKE_MATCH_2} inputs a second")
