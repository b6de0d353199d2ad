# Builds the release zip into a scratch folder with cpack and checks it as a player gets it:
# - exactly the plug-in, the default settings file, the players' readme and the licence, at the
#   top of the archive: never the substitute ScriptHookRDR2.dll, the plug-in's debug symbols or
#   anything else from the build tree;
# - the plug-in as built, and the text files with CR LF line ends and no bare LF;
# - beside it, <zip>.sha256 holding the zip's SHA-256 and name, as sha256sum -c reads it.
#
# cmake -D CPACK=<cpack> -D CONFIG=<CPackConfig.cmake> -D SCRATCH=<folder> -D ZIP=<file name>
#       -D PLUGIN=<Scuffler.asi> -P CheckPackage.cmake
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -G ZIP -B ${SCRATCH}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${SCRATCH}/${ZIP})
  message(FATAL_ERROR "cpack did not make ${ZIP}:\n${output}")
endif()
set(failures "")

file(MAKE_DIRECTORY ${SCRATCH}/unpacked)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${SCRATCH}/${ZIP}
                WORKING_DIRECTORY ${SCRATCH}/unpacked RESULT_VARIABLE result)
file(GLOB_RECURSE entries RELATIVE ${SCRATCH}/unpacked ${SCRATCH}/unpacked/*)
list(SORT entries)
set(expected LICENSE README.txt Scuffler.asi Scuffler.ini)
if(NOT result EQUAL 0 OR NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds [${entries}], expected [${expected}]")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${PLUGIN} ${SCRATCH}/unpacked/Scuffler.asi
                RESULT_VARIABLE different)
if(different)
  list(APPEND failures "its Scuffler.asi is not the one built")
endif()
foreach(text LICENSE README.txt Scuffler.ini)
  # In hex with a space after each byte, so that a match can only start at a byte.
  file(READ ${SCRATCH}/unpacked/${text} bytes HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
  string(LENGTH "${bytes}" length)
  string(REPLACE "0d 0a " "" without_crlf "${bytes}")
  string(LENGTH "${without_crlf}" length_without)
  math(EXPR crlf_count "(${length} - ${length_without}) / 6")
  string(FIND "${without_crlf}" "0a " bare_lf)
  if(crlf_count EQUAL 0)
    list(APPEND failures "${text} has no CR LF line end")
  endif()
  if(bare_lf GREATER_EQUAL 0)
    math(EXPR at "${bare_lf} / 3")
    list(APPEND failures "${text} has a bare LF at byte ${at}")
  endif()
endforeach()

file(SHA256 ${SCRATCH}/${ZIP} sha256)
if(NOT EXISTS ${SCRATCH}/${ZIP}.sha256)
  list(APPEND failures "no ${ZIP}.sha256 beside it")
else()
  file(READ ${SCRATCH}/${ZIP}.sha256 checksum)
  if(NOT checksum MATCHES "^${sha256}  ${ZIP}\n?$")
    list(APPEND failures "${ZIP}.sha256 reads \"${checksum}\", not its SHA-256 ${sha256}")
  endif()
endif()

if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${ZIP}:\n${failures}")
endif()
message(STATUS "${ZIP}: ${entries}, text with CR LF line ends; SHA-256 ${sha256}")
