# Replays, with the native sandbox, the recordings the real Scuffler.asi saved under Wine:
# - a crowded town and ever-new peds: each must read and replay call for call (exit 0);
# - a rider, then a ragdolled ped, then a move: the replay names IS_PED_ON_MOUNT on the first
#   release's line, IS_PED_RAGDOLL on the second's and the move on the third's, and the scenario
#   --scenario makes of it says the same when run live.
#
#   cmake -D SANDBOX=<native scuffler-sandbox> -D FOLDER=<game folder> -D SCRATCH=<empty folder>
#         -P ReplayWineRecordings.cmake
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

# The lines of G's releases in `trace` must say, in order, each of the texts after it.
function(expect_releases what trace)
  string(REGEX MATCHALL "tick +[0-9]+  iKick1NoRagdoll \\(G\\): [^\n]*" releases "${trace}")
  list(LENGTH releases count)
  list(LENGTH ARGN expected)
  if(NOT count EQUAL expected)
    message(FATAL_ERROR "${what}: ${count} releases of G, expected ${expected}:\n${trace}")
  endif()
  set(index 0)
  foreach(text IN LISTS ARGN)
    list(GET releases ${index} line)
    string(FIND "${line}" "${text}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${what}: release ${index} does not say \"${text}\": ${line}")
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  message(STATUS "${what}: ${releases}")
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${SANDBOX}" --replay "${FOLDER}/rider-then-ragdoll.bin"
                        --scenario "${SCRATCH}/rider.json"
                RESULT_VARIABLE code OUTPUT_VARIABLE replay ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "rider-then-ragdoll.bin: exit ${code}\n${err}\n${replay}")
endif()
set(reasons "the player is not ready: IS_PED_ON_MOUNT" "no target [ped 10: IS_PED_RAGDOLL]"
            "AR_ATT_COMBO_V2_PT3_LEFTSIDE on ped 10, the target")
expect_releases("its replay" "${replay}" ${reasons})
execute_process(COMMAND "${SANDBOX}" rider.json WORKING_DIRECTORY "${SCRATCH}"
                RESULT_VARIABLE code OUTPUT_VARIABLE live ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "its scenario: exit ${code}\n${err}\n${live}")
endif()
expect_releases("its scenario run live" "${live}" ${reasons})
