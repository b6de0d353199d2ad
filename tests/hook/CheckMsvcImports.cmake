# Checks, without MSVC, the one thing an MSVC build of the plug-in can get wrong unseen by the
# MinGW build: the names it imports from ScriptHookRDR2.dll. MSVC decorates them from the C++
# declarations in src/hook/ScriptHook.h, not from the .def, so a parameter type there that the
# MinGW build takes as the same (unsigned int for DWORD, which is unsigned long) would make MSVC
# ask the hook for a name it does not export.
#
# clang compiles MsvcImports.cpp, which calls all nine operations, for the MSVC ABI with stand-ins
# for <windows.h> and <cstdint>; the check fails unless the names the object imports (llvm-nm's
# undefined __imp_ symbols) are exactly the decorated names of ScriptHookRDR2.def.
#
# cmake -D CLANG=<clang++> -D NM=<llvm-nm> -D SOURCE=<MsvcImports.cpp> -D STUBS=<folder>
#       -D INCLUDE=<src> -D HOOK_DEF=<ScriptHookRDR2.def> -D OBJECT=<file> -P CheckMsvcImports.cmake
if(NOT CLANG OR NOT NM)
  message(FATAL_ERROR "needs clang++ and llvm-nm (Debian's clang and llvm): run tools/install-deps.sh")
endif()

execute_process(COMMAND ${CLANG} --target=x86_64-pc-windows-msvc -std=c++17 -Wall -Wextra -Werror
                        -isystem ${STUBS} -I ${INCLUDE} -c ${SOURCE} -o ${OBJECT}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "clang could not compile the hook's declarations for the MSVC ABI:\n${output}")
endif()
execute_process(COMMAND ${NM} --undefined-only ${OBJECT}
                RESULT_VARIABLE result OUTPUT_VARIABLE symbols ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${OBJECT}:\n${output}")
endif()

string(REGEX MATCHALL "__imp_[^\n]+" imports "${symbols}")
list(TRANSFORM imports REPLACE "^__imp_" "")
list(SORT imports)

file(STRINGS ${HOOK_DEF} expected REGEX "^ *[A-Za-z_][A-Za-z0-9_]* *== *[^ ]+ *$")
list(TRANSFORM expected REPLACE "^.*== *([^ ]+) *$" "\\1")
list(SORT expected)
list(LENGTH expected count)

if(count EQUAL 0 OR NOT imports STREQUAL expected)
  string(REPLACE ";" "\n  " got "${imports}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "Built with MSVC, the plug-in would import from ScriptHookRDR2.dll:\n  ${got}\n"
                      "but the hook exports (ScriptHookRDR2.def):\n  ${want}")
endif()
message(STATUS "the MSVC ABI imports exactly the ${count} decorated names of ScriptHookRDR2.def")
