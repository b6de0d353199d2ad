# Runs scuffler-sandbox as a user would, in a fresh empty directory, and holds what it prints,
# draws and leaves behind to the expected files, byte for byte.
#
#   -DSANDBOX=program -DWORKDIR=scratch directory (emptied first)
#   -DSCENARIO=file      copied beside the run directory and given as ../NAME (none: built-in)
#   -DEXPECTED=file      expected standard output (none: nothing)
#   -DEXPECTED_EXIT=n    expected exit status (default 0)
#   -DEXPECTED_ERR=file  expected standard error (none: nothing)
#   -DSVG=name -DEXPECTED_SVG=file   ask for a map and compare it
#   -DEXISTING_INI=file  a Scuffler.ini to find in the run directory, which must stay as it was
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORKDIR}")
set(run "${WORKDIR}/run")
file(MAKE_DIRECTORY "${run}")

set(args)
if(SCENARIO)
  get_filename_component(name "${SCENARIO}" NAME)
  file(COPY_FILE "${SCENARIO}" "${WORKDIR}/${name}")
  list(APPEND args "../${name}")
endif()
if(SVG)
  list(APPEND args --svg "${SVG}")
endif()
if(EXISTING_INI)
  file(COPY_FILE "${EXISTING_INI}" "${run}/Scuffler.ini")
endif()
if(NOT DEFINED EXPECTED_EXIT)
  set(EXPECTED_EXIT 0)
endif()

execute_process(COMMAND "${SANDBOX}" ${args} WORKING_DIRECTORY "${run}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)

set(failures "")
function(expect_same what actual expected_file)
  set(expected "")
  if(expected_file)
    file(READ "${expected_file}" expected)
  endif()
  if(NOT actual STREQUAL expected)
    file(WRITE "${WORKDIR}/actual-${what}" "${actual}")
    execute_process(COMMAND diff -u "${expected_file}" "${WORKDIR}/actual-${what}"
                    OUTPUT_VARIABLE difference)
    set(failures "${failures}${what} differs from ${expected_file}:\n${difference}\n" PARENT_SCOPE)
  endif()
endfunction()

if(NOT status STREQUAL EXPECTED_EXIT)
  string(APPEND failures "exit status ${status}, expected ${EXPECTED_EXIT}\n")
endif()
expect_same(stdout "${out}" "${EXPECTED}")
expect_same(stderr "${err}" "${EXPECTED_ERR}")
if(SVG)
  file(READ "${run}/${SVG}" map)
  expect_same(map "${map}" "${EXPECTED_SVG}")
  file(REMOVE "${run}/${SVG}")
endif()
if(EXISTING_INI)
  file(READ "${run}/Scuffler.ini" ini)
  expect_same(ini "${ini}" "${EXISTING_INI}")
  file(REMOVE "${run}/Scuffler.ini")
endif()
# Whatever the scenario wrote into the working directory, it must have taken away again.
file(GLOB left RELATIVE "${run}" "${run}/*")
if(left)
  string(APPEND failures "left behind in the working directory: ${left}\n")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
