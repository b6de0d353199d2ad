# expect_same(what actual expected_file): holds `actual` to the file (none given: to nothing),
# byte for byte. A difference is kept as ${WORKDIR}/actual-<what> and added, as a unified diff, to
# `failures` in the caller's scope; the caller fails with them at the end.
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
