# Replays, with the native sandbox, the recordings the real Scuffler.asi saved under Wine of a
# crowded town and of ever-new peds: each must read and replay call for call (exit 0).
#
#   cmake -D SANDBOX=<native scuffler-sandbox> -D FOLDER=<game folder> -P ReplayBusyRecordings.cmake
if(NOT EXISTS "${SANDBOX}")
  message("native sandbox not built at ${SANDBOX}: build the default preset first")
  return()
endif()
foreach(name IN ITEMS busy-town ever-new-peds)
  string(TIMESTAMP start "%s" UTC)
  execute_process(COMMAND "${SANDBOX}" --replay "${FOLDER}/${name}.bin"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(TIMESTAMP end "%s" UTC)
  math(EXPR seconds "${end} - ${start}")
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${name}.bin: exit ${code}\n${err}")
  endif()
  string(REGEX MATCH "recording of [0-9]+ ticks" ticks "${out}")
  string(REGEX MATCH "summary: [^\n]*" summary "${out}")
  message(STATUS "${name}.bin: ${ticks}, replayed in about ${seconds} s; ${summary}")
endforeach()
