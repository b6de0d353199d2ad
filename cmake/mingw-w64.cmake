# Cross-builds the Windows plug-in with Debian's MinGW-w64 (win32 thread model) and runs what it
# builds under Wine.
#
# Everything links the MinGW runtime statically: a player's PC has no libstdc++-6.dll or
# libgcc_s_seh-1.dll, and neither has the test prefix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCUFFLER_MINGW_TRIPLE x86_64-w64-mingw32)
# The -win32 names: that thread model's runtime is built on kernel32 alone, where the posix one
# drags winpthread into every static link, and with it imports such as SuspendThread and
# SetThreadContext that virus scanners frown on in a DLL a game loads. Nothing built for Windows
# here uses std::thread. The names are explicit because the plain ones point at whichever model
# the machine's alternatives chose.
set(CMAKE_C_COMPILER ${SCUFFLER_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${SCUFFLER_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${SCUFFLER_MINGW_TRIPLE}-windres)
# The import library of the script hook is made with dlltool; objcopy splits the plug-in's symbols
# off; the tests read tables with objdump.
find_program(CMAKE_DLLTOOL ${SCUFFLER_MINGW_TRIPLE}-dlltool REQUIRED)
find_program(CMAKE_OBJDUMP ${SCUFFLER_MINGW_TRIPLE}-objdump REQUIRED)
find_program(CMAKE_OBJCOPY ${SCUFFLER_MINGW_TRIPLE}-objcopy REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${SCUFFLER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debug information for the plug-in's symbol file (the .asi itself is stripped), and a section
# per function, so that the link can drop whatever the plug-in does not use. Not one per datum:
# MinGW then stores zero-filled arrays (the key table, the ped buffer) as 8 KB of zeros in the
# file instead of leaving them to .bss.
set(CMAKE_CXX_FLAGS_INIT "-g -ffunction-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# Wine runs the test programs: the 64-bit loader itself, since the wine wrapper script looks for
# a 32-bit Wine first. The prefix lives in the build tree, so a build never touches ~/.wine; it
# is created once by the tests' set-up step. No Mono or Gecko prompts, no desktop menu entries
# (an empty override disables those modules), no debug chatter.
find_program(SCUFFLER_WINE NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(SCUFFLER_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env
      WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
      WINELOADER=${SCUFFLER_WINE}
      WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=
      ${SCUFFLER_WINE})
endif()
