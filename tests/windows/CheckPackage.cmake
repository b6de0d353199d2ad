# Builds the release zip into a scratch folder with cpack and checks it as a player gets it:
# - exactly the plug-in, the settings checker, the default settings file, the players' readme,
#   the licence and the changelog, at the top of the archive, every name starting with Scuffler:
#   never the substitute ScriptHookRDR2.dll, the plug-in's debug symbols or anything else from
#   the build tree;
# - unpacked into a folder that already holds other mods' readme.txt, README.txt and LICENSE, as
#   players extract zips straight into the game folder, it leaves those three as they were, and
#   holds nothing named like them in another letter case (which would replace them on Windows);
# - the plug-in and the checker as built, and the text files with CR LF line ends and no bare LF;
# - its version, in its name, is the newest release in the changelog (its first "## " heading),
#   and the readme's first line is "Scuffler <version>";
# - its changelog is for players: plain text, no Markdown, nothing for modders; its readme says
#   where to send a recording, what a recording holds of Scuffler.ini, the checker's exit codes,
#   and, like the changelog, has no line wider than 100 columns;
# - beside it, <zip>.sha256 holding the zip's SHA-256 and name, as sha256sum -c reads it.
#
# cmake -D CPACK=<cpack> -D CONFIG=<CPackConfig.cmake> -D SCRATCH=<folder> -D ZIP=<file name>
#       -D PLUGIN=<Scuffler.asi> -D CHECKER=<Scuffler-check.exe> -D CHANGELOG=<CHANGELOG.md>
#       -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.25)  # IN_LIST
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -G ZIP -B ${SCRATCH}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${SCRATCH}/${ZIP})
  message(FATAL_ERROR "cpack did not make ${ZIP}:\n${output}")
endif()
set(failures "")

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${SCRATCH}/${ZIP}
                RESULT_VARIABLE result OUTPUT_VARIABLE entries)
string(STRIP "${entries}" entries)
string(REPLACE "\n" ";" entries "${entries}")
list(SORT entries)
set(expected Scuffler-CHANGELOG.txt Scuffler-LICENSE.txt Scuffler-README.txt Scuffler-check.exe
             Scuffler.asi Scuffler.ini)
if(NOT result EQUAL 0 OR NOT entries STREQUAL expected)
  list(JOIN entries ", " got)
  list(JOIN expected ", " want)
  list(APPEND failures "holds [${got}], expected [${want}]")
endif()

# Unpacked as players do it, straight into a game folder that holds other mods' files. Windows
# ignores letter case, so a file of the zip named like one of them in any case would replace it.
set(game ${SCRATCH}/game)
set(bystanders readme.txt README.txt LICENSE)
foreach(file IN LISTS bystanders)
  file(WRITE ${game}/${file} "Another mod's ${file}\n")
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${SCRATCH}/${ZIP}
                WORKING_DIRECTORY ${game} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${ZIP} does not unpack")
endif()
string(TOLOWER "${entries}" entries_any_case)
foreach(file IN LISTS bystanders)
  file(READ ${game}/${file} text)
  string(TOLOWER ${file} file_any_case)
  if(NOT text STREQUAL "Another mod's ${file}\n" OR file_any_case IN_LIST entries_any_case)
    list(APPEND failures "unpacked into a game folder, it replaces another mod's ${file}")
  endif()
endforeach()

foreach(built IN ITEMS ${PLUGIN} ${CHECKER})
  get_filename_component(name ${built} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${built} ${game}/${name}
                  RESULT_VARIABLE different)
  if(different)
    list(APPEND failures "its ${name} is not the one built")
  endif()
endforeach()
foreach(text Scuffler-CHANGELOG.txt Scuffler-LICENSE.txt Scuffler-README.txt Scuffler.ini)
  if(NOT EXISTS ${game}/${text})
    continue()  # reported above
  endif()
  # In hex with a space after each byte, so that a match can only start at a byte.
  file(READ ${game}/${text} bytes HEX)
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

foreach(text Scuffler-CHANGELOG.txt Scuffler-README.txt)
  if(NOT EXISTS ${game}/${text})
    continue()  # reported above
  endif()
  file(STRINGS ${game}/${text} lines ENCODING UTF-8)
  foreach(line IN LISTS lines)
    string(LENGTH "${line}" width)
    if(width GREATER 100)
      list(APPEND failures "${text} has a line of ${width} columns: ${line}")
    endif()
  endforeach()
endforeach()
# Whether the zip's `text`, its lines joined by single spaces, holds each of ARGN as it `should`.
function(words text should)
  if(NOT EXISTS ${game}/${text})
    return()  # reported above
  endif()
  file(READ ${game}/${text} content)
  string(REGEX REPLACE "[ \r\n]+" " " content "${content}")
  foreach(words IN LISTS ARGN)
    string(FIND "${content}" "${words}" at)
    if(should AND at LESS 0)
      list(APPEND failures "${text} does not say \"${words}\"")
    elseif(NOT should AND at GREATER_EQUAL 0)
      list(APPEND failures "${text} holds \"${words}\", which is not for players")
    endif()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()
words(Scuffler-CHANGELOG.txt FALSE "`" "](" " ## " "For modders" "For players" "sandbox" "docs/"
      "package test")
words(Scuffler-README.txt TRUE "in the bug reports or the comments of that page"
      "your whole Scuffler.ini" "comments included" "0 every file checked is read as it looks"
      "1 a file has a problem" "2 no file could be read")

file(STRINGS ${CHANGELOG} newest REGEX "^## " LIMIT_COUNT 1)
if(NOT ZIP MATCHES "^Scuffler-([0-9.]+)-win64\\.zip$")
  list(APPEND failures "its name carries no version")
else()
  set(version ${CMAKE_MATCH_1})
  string(REPLACE "." "\\." version_pattern ${version})
  if(NOT newest MATCHES "^## ${version_pattern} ")
    list(APPEND failures "its version ${version} is not the newest in the changelog, \"${newest}\"")
  endif()
  if(EXISTS ${game}/Scuffler-README.txt)
    file(STRINGS ${game}/Scuffler-README.txt title LIMIT_COUNT 1)
    if(NOT title STREQUAL "Scuffler ${version}")
      list(APPEND failures "its readme opens with \"${title}\", not \"Scuffler ${version}\"")
    endif()
  endif()
endif()

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
