# Builds the release zip into a scratch folder with cpack and checks that it holds exactly the
# plug-in, the default settings file and the players' readme, at the top of the archive: never
# the substitute ScriptHookRDR2.dll or anything else from the build tree.
#
# cmake -D CPACK=<cpack> -D CONFIG=<CPackConfig.cmake> -D SCRATCH=<folder> -D ZIP=<file name> -P CheckPackage.cmake
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -G ZIP -B ${SCRATCH}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${SCRATCH}/${ZIP})
  message(FATAL_ERROR "cpack did not make ${ZIP}:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${SCRATCH}/${ZIP}
                RESULT_VARIABLE result OUTPUT_VARIABLE listing)
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
set(expected README.txt Scuffler.asi Scuffler.ini)
if(NOT result EQUAL 0 OR NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds [${entries}], expected [${expected}]")
endif()
message(STATUS "${ZIP}: ${entries}")
