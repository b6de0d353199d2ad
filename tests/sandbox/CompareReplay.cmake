# Replays a recording and runs the scenario it was recorded from live, each in an empty
# directory, and holds the replay's lines for what the plug-in did to the live run's: from the
# tick after the recording's first (whose opening lines the live run printed on its own first
# tick) to its last. The live run's other lines, the scenario's own changes and releases nobody
# took, are not the plug-in's and have no counterpart in a recording.
#
#   -DSANDBOX=program -DWORKDIR=scratch -DSCENARIO=file.json -DRECORDING=file.bin
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/live" "${WORKDIR}/replay" "${WORKDIR}/tmp")
set(ENV{TMPDIR} "${WORKDIR}/tmp")
execute_process(COMMAND "${SANDBOX}" "${SCENARIO}" WORKING_DIRECTORY "${WORKDIR}/live"
                OUTPUT_VARIABLE live RESULT_VARIABLE live_status)
execute_process(COMMAND "${SANDBOX}" --replay "${RECORDING}" WORKING_DIRECTORY "${WORKDIR}/replay"
                OUTPUT_VARIABLE replay ERROR_VARIABLE replay_err RESULT_VARIABLE replay_status)
if(NOT live_status EQUAL 0 OR NOT replay_status EQUAL 0)
  message(FATAL_ERROR "live run exit ${live_status}, replay exit ${replay_status}: ${replay_err}")
endif()

string(REGEX MATCH "the plug-in's tick ([0-9]+)" first "${replay}")
set(first ${CMAKE_MATCH_1})

# The "tick N  ..." lines of `text` with first < N <= last, in `out`; the last tick seen in `seen`.
function(plugin_lines text first last out seen)
  string(REPLACE "\n" ";" lines "${text}")
  set(kept "")
  set(highest 0)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^tick +([0-9]+)  (.*)$")
      continue()
    endif()
    set(tick ${CMAKE_MATCH_1})
    set(what "${CMAKE_MATCH_2}")
    if(tick GREATER highest)
      set(highest ${tick})
    endif()
    if(tick LESS_EQUAL first OR tick GREATER last)
      continue()
    endif()
    if(what MATCHES "^(key |ped [0-9]+ |natives answer |Scuffler.ini (written|deleted)|release of )")
      continue()
    endif()
    list(APPEND kept "${line}")
  endforeach()
  set(${out} "${kept}" PARENT_SCOPE)
  set(${seen} ${highest} PARENT_SCOPE)
endfunction()

plugin_lines("${replay}" ${first} 1000000 replayed last)
string(REGEX MATCH "recording of ([0-9]+) ticks" count "${replay}")
math(EXPR last "${first} + ${CMAKE_MATCH_1} - 1")
plugin_lines("${live}" ${first} ${last} lived ignored)
if(NOT replayed STREQUAL lived)
  string(REPLACE ";" "\n" replayed "${replayed}")
  string(REPLACE ";" "\n" lived "${lived}")
  message(FATAL_ERROR "the replay's lines for ticks ${first} to ${last}:\n${replayed}\n"
                      "differ from the live run's:\n${lived}")
endif()
list(LENGTH replayed compared)
if(compared LESS 4)
  message(FATAL_ERROR "only ${compared} lines compared: the scenario no longer exercises the replay")
endif()
message(STATUS "${compared} lines of ticks ${first} to ${last} equal")
