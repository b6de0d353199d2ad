# The list of the script hook's operations, src/hook/ScriptHookRDR2.def, is written
# `plainName == decoratedName`. Some consumers need another form of it; this writes one.
set(SCUFFLER_HOOK_DEF ${PROJECT_SOURCE_DIR}/src/hook/ScriptHookRDR2.def)

# Writes `out` as a .def of ScriptHookRDR2.dll whose EXPORTS lines are `entry` with \\1 standing
# for the plain name and \\2 for the decorated one.
function(scuffler_write_hook_def out entry)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SCUFFLER_HOOK_DEF})
  file(STRINGS ${SCUFFLER_HOOK_DEF} exports REGEX "^ *[A-Za-z_][A-Za-z0-9_]* *== *[^ ]+ *$")
  list(TRANSFORM exports REPLACE "^ *([^ ]+) *== *([^ ]+) *$" "  ${entry}")
  list(JOIN exports "\n" exports)
  file(WRITE ${out} "LIBRARY \"ScriptHookRDR2.dll\"\nEXPORTS\n${exports}\n")
endfunction()
