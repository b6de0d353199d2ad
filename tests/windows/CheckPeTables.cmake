# Checks Scuffler.asi's import and export tables, as `objdump -p` reads them from the file:
# from ScriptHookRDR2.dll exactly the decorated names of src/hook/ScriptHookRDR2.def; otherwise
# only Windows system DLLs, so no MinGW runtime DLL; and an export table that is empty.
#
# cmake -D PLUGIN=<Scuffler.asi> -D OBJDUMP=<objdump> -D HOOK_DEF=<ScriptHookRDR2.def> -P CheckPeTables.cmake
execute_process(COMMAND ${OBJDUMP} -p ${PLUGIN} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PLUGIN} failed: ${result}")
endif()

set(failures "")

# Imports: a "DLL Name:" line opens each DLL's block, one line per imported name follows, and a
# blank line closes it.
string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(dlls "")
set(hook_imports "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\tDLL Name: (.+)$")
    set(dll "${CMAKE_MATCH_1}")
    list(APPEND dlls "${dll}")
  elseif(line STREQUAL "")
    set(dll "")
  elseif(dll STREQUAL "ScriptHookRDR2.dll" AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  (.+)$")
    list(APPEND hook_imports "${CMAKE_MATCH_1}")
  endif()
endforeach()

foreach(dll IN LISTS dlls)
  string(TOLOWER "${dll}" name)
  if(name MATCHES "^lib(stdc\\+\\+|gcc|winpthread)")
    list(APPEND failures "imports the MinGW runtime DLL ${dll}: it must be linked statically")
  elseif(NOT dll STREQUAL "ScriptHookRDR2.dll" AND
         NOT name MATCHES "^(kernel32|msvcrt|ucrtbase)\\.dll$|^api-ms-win-.*\\.dll$")
    list(APPEND failures "imports from ${dll}, which is neither the script hook nor a Windows system DLL")
  endif()
endforeach()

file(STRINGS ${HOOK_DEF} expected REGEX "^ *[A-Za-z_][A-Za-z0-9_]* *== *[^ ]+ *$")
list(TRANSFORM expected REPLACE "^.*== *([^ ]+) *$" "\\1")
list(SORT expected)
list(SORT hook_imports)
if(NOT hook_imports STREQUAL expected)
  string(REPLACE ";" "\n  " got "${hook_imports}")
  string(REPLACE ";" "\n  " want "${expected}")
  list(APPEND failures "imports from ScriptHookRDR2.dll:\n  ${got}\nexpected:\n  ${want}")
endif()

# Exports: MinGW's linker writes an export directory even when told to export nothing; it must
# count no function and no name.
if(dump MATCHES "There is an export table")
  if(NOT dump MATCHES "Export Address Table[ \t]+0+\n" OR
     NOT dump MATCHES "\\[Name Pointer/Ordinal\\] Table[ \t]+0+\n")
    list(APPEND failures "the export table is not empty")
  endif()
endif()
if(dump MATCHES "\n\t\\[ *[0-9]+\\] ([^\n]+)")
  list(APPEND failures "exports ${CMAKE_MATCH_1} (and maybe more)")
endif()

if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${PLUGIN}:\n${failures}")
endif()
list(LENGTH dlls dll_count)
list(LENGTH hook_imports hook_count)
message(STATUS "${hook_count} script-hook imports as decorated by MSVC; ${dll_count} DLLs: ${dlls}; no exports")
