# Checks what the loader and a player's virus scanner see of a file the release ships
# (Scuffler.asi, Scuffler-check.exe), as `objdump -p` and `objdump -h` read it from the file:
# - its size, at most MAX_BYTES;
# - imports: from ScriptHookRDR2.dll exactly the decorated names of HOOK_DEF
#   (src/hook/ScriptHookRDR2.def), or nothing at all where HOOK_DEF is empty; otherwise only
#   KERNEL32.dll and the C runtime DLL, and none of the thread-hijacking and cross-process calls
#   that scanners flag;
# - an export table that is empty;
# - no debug sections and no path of the machine that built it; with DEBUGLINK on, a
#   .gnu_debuglink section naming the symbol file (Scuffler.asi.debug) that holds them.
#
# cmake -D BINARY=<file> -D OBJDUMP=<objdump> -D HOOK_DEF=<ScriptHookRDR2.def or empty>
#       -D DEBUGLINK=<ON|OFF> -D MAX_BYTES=<n> -D BUILD_PATHS=<dir;dir> -P CheckPeTables.cmake
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${BINARY} failed: ${result}")
endif()

set(failures "")

# Imports: a "DLL Name:" line opens each DLL's block, one line per imported name follows, and a
# blank line closes it.
string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(dlls "")
set(hook_imports "")
set(all_imports "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\tDLL Name: (.+)$")
    set(dll "${CMAKE_MATCH_1}")
    list(APPEND dlls "${dll}")
  elseif(line STREQUAL "")
    set(dll "")
  elseif(NOT dll STREQUAL "" AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  (.+)$")
    list(APPEND all_imports "${CMAKE_MATCH_1}")
    if(dll STREQUAL "ScriptHookRDR2.dll")
      list(APPEND hook_imports "${CMAKE_MATCH_1}")
    endif()
  endif()
endforeach()

foreach(dll IN LISTS dlls)
  string(TOLOWER "${dll}" name)
  if(name MATCHES "^lib(stdc\\+\\+|gcc|winpthread)")
    list(APPEND failures "imports the MinGW runtime DLL ${dll}: it must be linked statically")
  elseif(dll STREQUAL "ScriptHookRDR2.dll" AND NOT HOOK_DEF)
    list(APPEND failures "imports from ScriptHookRDR2.dll, which only the plug-in may")
  elseif(NOT dll STREQUAL "ScriptHookRDR2.dll" AND NOT name MATCHES "^(kernel32|msvcrt|ucrtbase)\\.dll$")
    list(APPEND failures "imports from ${dll}, which is neither the script hook, KERNEL32 nor the C runtime")
  endif()
endforeach()

# What heuristic scanners take for an injector or a thread hijacker.
set(flagged SuspendThread ResumeThread GetThreadContext SetThreadContext OpenProcess
    DuplicateHandle SetProcessAffinityMask CreateRemoteThread WriteProcessMemory VirtualAllocEx)
foreach(call IN LISTS flagged)
  if(all_imports MATCHES "(^|;)${call}(;|$)")
    list(APPEND failures "imports ${call}")
  endif()
endforeach()

# Without HOOK_DEF, any import from the hook was reported above.
if(HOOK_DEF)
  file(STRINGS ${HOOK_DEF} expected REGEX "^ *[A-Za-z_][A-Za-z0-9_]* *== *[^ ]+ *$")
  list(TRANSFORM expected REPLACE "^.*== *([^ ]+) *$" "\\1")
  list(SORT expected)
  list(SORT hook_imports)
  if(NOT hook_imports STREQUAL expected)
    string(REPLACE ";" "\n  " got "${hook_imports}")
    string(REPLACE ";" "\n  " want "${expected}")
    list(APPEND failures "imports from ScriptHookRDR2.dll:\n  ${got}\nexpected:\n  ${want}")
  endif()
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

file(SIZE ${BINARY} size)
if(size GREATER MAX_BYTES)
  list(APPEND failures "is ${size} bytes, over the budget of ${MAX_BYTES}")
endif()

execute_process(COMMAND ${OBJDUMP} -h ${BINARY} OUTPUT_VARIABLE sections RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -h ${BINARY} failed: ${result}")
endif()
if(DEBUGLINK AND NOT sections MATCHES " \\.gnu_debuglink ")
  list(APPEND failures "has no .gnu_debuglink section naming its symbol file")
endif()
if(sections MATCHES " (\\.debug_[a-z_]+) ")
  list(APPEND failures "carries debug section ${CMAKE_MATCH_1}: symbols belong in the .debug file")
endif()
file(STRINGS ${BINARY} text)
foreach(path IN LISTS BUILD_PATHS)
  string(FIND "${text}" "${path}" at)
  if(at GREATER_EQUAL 0)
    list(APPEND failures "holds the build path ${path}")
  endif()
endforeach()

if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${BINARY}:\n${failures}")
endif()
list(LENGTH dlls dll_count)
list(LENGTH hook_imports hook_count)
list(LENGTH all_imports import_count)
message(STATUS "${size} bytes (budget ${MAX_BYTES}); ${import_count} imports from ${dll_count} DLLs "
               "(${dlls}), ${hook_count} of them the script hook's decorated names; no exports")
