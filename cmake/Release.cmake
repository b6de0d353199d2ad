# What players get besides the plug-in, made ready for them: the text files of the release with
# CR LF line ends in <build>/dist/ (the readme with its version), and the time that a
# reproducible release stamps on its files.

# The players' readme opens with the version it ships with, written in from the project's
# version so that it can never lag behind: dist/README.txt is a template that names it
# @SCUFFLER_VERSION@. configure_file rewrites the result only when its text changes.
set(SCUFFLER_VERSION ${PROJECT_VERSION})
set(release_readme ${PROJECT_BINARY_DIR}/dist-versioned/README.txt)
configure_file(${PROJECT_SOURCE_DIR}/dist/README.txt ${release_readme} @ONLY)

# The players' changelog: CHANGELOG.md's parts for players, as plain text.
set(release_changelog ${PROJECT_BINARY_DIR}/dist-versioned/CHANGELOG.txt)
add_custom_command(OUTPUT ${release_changelog}
  COMMAND ${CMAKE_COMMAND} -D IN=${PROJECT_SOURCE_DIR}/CHANGELOG.md -D OUT=${release_changelog}
          -P ${PROJECT_SOURCE_DIR}/cmake/PlayerChangelog.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/PlayerChangelog.cmake
  VERBATIM)

# The release's text files, the default settings, the players' readme, the licence and the
# changelog, and SCUFFLER_RELEASE_TEXT_NAMES, their names in the zip. Every name starts with
# Scuffler: players extract zips straight into the game folder, where other mods' readme and
# licence files lie.
set(release_text_sources
  ${PROJECT_SOURCE_DIR}/dist/Scuffler.ini
  ${release_readme}
  ${PROJECT_SOURCE_DIR}/LICENSE
  ${release_changelog})
set(SCUFFLER_RELEASE_TEXT_NAMES
  Scuffler.ini Scuffler-README.txt Scuffler-LICENSE.txt Scuffler-CHANGELOG.txt)

# Target scuffler_release_texts makes <build>/dist/<name in the zip> of each with CR LF line
# ends; they are what the zip holds and what the tests of the shipped files read.
set(SCUFFLER_RELEASE_TEXT_DIR ${PROJECT_BINARY_DIR}/dist)
set(release_texts "")
foreach(text name IN ZIP_LISTS release_text_sources SCUFFLER_RELEASE_TEXT_NAMES)
  set(out ${SCUFFLER_RELEASE_TEXT_DIR}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -D IN=${text} -D OUT=${out} -P ${PROJECT_SOURCE_DIR}/cmake/CrlfCopy.cmake
    DEPENDS ${text} ${PROJECT_SOURCE_DIR}/cmake/CrlfCopy.cmake
    VERBATIM)
  list(APPEND release_texts ${out})
endforeach()
add_custom_target(scuffler_release_texts ALL DEPENDS ${release_texts})

# SCUFFLER_SOURCE_DATE_EPOCH: the time a release stamps on its files, in seconds since 1970.
# SOURCE_DATE_EPOCH from the environment when set, else the time of the commit checked out, else
# (a tree without git) a fixed day; never the time of the build, so that two builds of the same
# source give the same bytes.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(SCUFFLER_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  set(SCUFFLER_SOURCE_DATE_EPOCH 1767225600)  # 2026-01-01 00:00 UTC
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
    if(git_result EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
      set(SCUFFLER_SOURCE_DATE_EPOCH ${commit_time})
    endif()
  endif()
endif()
