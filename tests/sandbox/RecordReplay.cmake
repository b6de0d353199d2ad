# Runs a scenario live with --record, then replays the recording it wrote, each in an empty
# directory: both exit 0, and the replay's move lines (each trigger's line with its reason, read
# from the recorded answers, but for the checks it says were not asked) and settings lines are
# the live run's, tick for tick, from the recording's first tick (where the replay shows every
# setting) to the last. The replay also
# writes the recording as a scenario (--scenario), which then runs live: its move lines, reasons
# included, and its settings, target and engaged lines are the first live run's.
#
#   -DSANDBOX=program -DWORKDIR=scratch -DSCENARIO=file.json
#   -DEXPECTED_LIVE=file -DEXPECTED_REPLAY=file   optional: the whole of each trace
#   -DEXPECTED_SVG=file  optional: the replay's map of its last tick
#   -DPEDS=ON            both runs with --peds, whose lines are compared too
#   -DREPLAY_EXIT=3      the replay cannot follow the recording (a settings file past what a
#                        recording keeps): only its scenario is compared
#   -DSCENARIO_SAYS=text the scenario the replay writes holds this text
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/live" "${WORKDIR}/replay" "${WORKDIR}/again" "${WORKDIR}/tmp")
set(ENV{TMPDIR} "${WORKDIR}/tmp")
set(peds)
if(PEDS)
  set(peds --peds)
endif()
execute_process(COMMAND "${SANDBOX}" "${SCENARIO}" --record ../made.bin ${peds}
                WORKING_DIRECTORY "${WORKDIR}/live"
                OUTPUT_VARIABLE live ERROR_VARIABLE live_err RESULT_VARIABLE live_status)
set(map)
if(EXPECTED_SVG)
  set(map --svg ../map.svg)
endif()
execute_process(COMMAND "${SANDBOX}" --replay ../made.bin ${map} ${peds} --scenario ../made.json
                WORKING_DIRECTORY "${WORKDIR}/replay"
                OUTPUT_VARIABLE replay ERROR_VARIABLE replay_err RESULT_VARIABLE replay_status)
execute_process(COMMAND "${SANDBOX}" ../made.json ${peds} WORKING_DIRECTORY "${WORKDIR}/again"
                OUTPUT_VARIABLE again ERROR_VARIABLE again_err RESULT_VARIABLE again_status)
if(NOT REPLAY_EXIT)
  set(REPLAY_EXIT 0)
endif()
if(NOT live_status EQUAL 0 OR NOT replay_status EQUAL REPLAY_EXIT OR NOT again_status EQUAL 0)
  message(FATAL_ERROR "live run with --record exit ${live_status}: ${live_err}\n"
                      "replay exit ${replay_status}: ${replay_err}\n"
                      "its scenario's live run exit ${again_status}: ${again_err}")
endif()
if(SCENARIO_SAYS)
  file(READ "${WORKDIR}/made.json" made)
  string(FIND "${made}" "${SCENARIO_SAYS}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the scenario does not hold ${SCENARIO_SAYS}:\n${made}")
  endif()
endif()
foreach(dir live replay again tmp)
  file(GLOB left RELATIVE "${WORKDIR}/${dir}" "${WORKDIR}/${dir}/*")
  if(left)
    message(FATAL_ERROR "left behind in ${dir}: ${left}")
  endif()
endforeach()
if(NOT live MATCHES "written to \\.\\./made\\.bin\n")
  message(FATAL_ERROR "the live run does not say where the recording went:\n${live}")
endif()

string(REGEX MATCH "the plug-in's tick ([0-9]+)" first "${replay}")
set(first ${CMAKE_MATCH_1})
# A scenario may number its ticks from a first_tick of its own; the recording, as the plug-in
# counts them, from 1: the live run's numbers, shifted by the difference, are the replay's.
string(REGEX MATCH "\ntick +([0-9]+)  " live_first "${live}")
math(EXPR shift "${CMAKE_MATCH_1} - 1")

# The trigger and settings lines of `text` from tick `first` on, and the settings lines from the
# tick after `first` (with `whole`, the target, engaged and settings file lines too), in `out`;
# each tick numbered less the fifth argument.
function(move_lines text first whole out)
  string(REPLACE "\n" ";" lines "${text}")
  set(kept "")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^tick +([0-9]+)  (.*)$")
      continue()
    endif()
    math(EXPR tick "${CMAKE_MATCH_1} - ${ARGV4}")
    set(what "${CMAKE_MATCH_2}")
    set(line "tick ${tick}  ${what}")
    if(tick LESS first)
      continue()
    endif()
    if((what MATCHES "^settings: " AND tick GREATER first) OR what MATCHES "^listed ped ")
      list(APPEND kept "${line}")
    elseif(whole AND tick GREATER first AND what MATCHES "^(no )?(target|engaged) ped")
      list(APPEND kept "${line}")
    elseif(whole AND tick GREATER first AND what MATCHES "^Scuffler.ini (written|deleted|made)")
      # When the file changed and how (written, deleted, made unreadable): a scenario writes the
      # bytes a recording kept, or for a file too large to keep, lines that give what it read.
      list(APPEND kept "${CMAKE_MATCH_0}")
    elseif(what MATCHES "^(i[A-Za-z0-9]+ \\(|special-ability action)"
           AND NOT what MATCHES "^iSaveRecordingKey")
      # Where the recording did not ask a check, the replay says so; the live run asks again.
      string(REGEX REPLACE ", though [^)]* before it were not asked" "" line "${line}")
      list(APPEND kept "${line}")
    endif()
  endforeach()
  set(${out} "${kept}" PARENT_SCOPE)
endfunction()

function(expect_lines what actual expected)
  if(NOT actual STREQUAL expected)
    string(REPLACE ";" "\n" actual "${actual}")
    string(REPLACE ";" "\n" expected "${expected}")
    message(FATAL_ERROR "${what} from tick ${first}:\n${actual}\ndiffer from the live run's:\n"
                        "${expected}")
  endif()
endfunction()
if(REPLAY_EXIT EQUAL 0)
  # Both name every setting at the first tick: the scenario starts with the recorded Settings.
  string(REGEX MATCH "  settings: [^\n]*" replay_settings "${replay}")
  string(REGEX MATCH "  settings: [^\n]*" again_settings "${again}")
  expect_lines("the first settings of its scenario's live run" "${again_settings}"
               "${replay_settings}")
  move_lines("${live}" ${first} OFF lived ${shift})
  move_lines("${replay}" ${first} OFF replayed 0)
  expect_lines("the replay's move lines" "${replayed}" "${lived}")
endif()
move_lines("${live}" ${first} ON lived_whole ${shift})
move_lines("${again}" ${first} ON again_whole 0)
expect_lines("the lines of its scenario's live run" "${again_whole}" "${lived_whole}")

set(failures "")
include(${CMAKE_CURRENT_LIST_DIR}/ExpectSame.cmake)
if(EXPECTED_LIVE)
  expect_same(live "${live}" "${EXPECTED_LIVE}")
endif()
if(EXPECTED_REPLAY)
  expect_same(replay "${replay}" "${EXPECTED_REPLAY}")
endif()
if(EXPECTED_SVG)
  file(READ "${WORKDIR}/map.svg" drawn)
  expect_same(map "${drawn}" "${EXPECTED_SVG}")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
list(LENGTH lived_whole compared)
message(STATUS "${compared} move, settings, target and engaged lines from tick ${first} equal")
