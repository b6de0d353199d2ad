# Runs the settings checker as a player does, Scuffler-check.exe under Wine (or on Windows) or the
# native scuffler-check, and checks its exit code and what it says:
# - with no argument it reads Scuffler.ini from the working folder, else from beside the program;
# - a path argument is read, also in a folder named outside ASCII; several are read in turn;
# - with no file it exits 2, lists where it looked, and names a Scuffler.ini.txt that Windows
#   shows as Scuffler.ini; a folder named Scuffler.ini is said to be a folder;
# - a file given by path under another name than Scuffler.ini is a finding (exit 1);
# - --help prints the usage; no line it prints is wider than 79 columns;
# - each file of tests/windows/mistyped/ gives exit 1 and a finding on the line it is about.
#
# cmake -D EMULATOR=<command that runs an exe, or empty> -D CHECKER=<Scuffler-check.exe>
#       -D SHIPPED=<the release's Scuffler.ini> -D MISTYPED=<folder> -D SCRATCH=<folder>
#       -P CheckerTest.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${SCRATCH})
set(failures "")

# A path as the program sees it: the Windows program's with backslashes, under Wine on drive Z:.
if(CHECKER MATCHES "\\.exe$")
  set(sep "\\")
else()
  set(sep "/")
endif()
function(windows_path out path)
  if(EMULATOR)
    set(path "Z:${path}")
  endif()
  string(REPLACE "/" "${sep}" path "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# Runs the checker in folder `IN` (the working folder) with ARGS and checks that it exits with
# `EXIT` and that its output holds every text of SAYS and none of NOT_SAYS.
function(check name)
  cmake_parse_arguments(PARSE_ARGV 1 run "WIDE_PATHS" "EXE;IN;EXIT" "ARGS;SAYS;NOT_SAYS")
  # Wine turns Unix paths and arguments into UTF-16 by the locale; C would lose the non-ASCII.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${EMULATOR} ${run_EXE} ${run_ARGS}
                  WORKING_DIRECTORY ${run_IN} TIMEOUT 60
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  set(wrong "")
  if(NOT result STREQUAL run_EXIT)
    list(APPEND wrong "exit ${result}, expected ${run_EXIT}")
  endif()
  # The checker wraps a finding's text for a console window; a sentence may span lines.
  string(REGEX REPLACE "\n    ([^ ])" " \\1" flat "${output}")
  # A long path is broken after a separator and goes on indented by two: as one again, so that
  # what a run says does not hang on how deep the build tree lies.
  string(REGEX REPLACE "([/\\])\r?\n  " "\\1" flat "${flat}")
  # An 80-column console shows every line whole. A path outside ASCII takes fewer columns than
  # bytes, which CMake counts: those runs say so.
  if(NOT run_WIDE_PATHS)
    string(REPLACE "\r" "" lines "${output}")
    string(REPLACE ";" "," lines "${lines}")
    # A line may end in a path's backslash, which would escape the list's separator below.
    string(REPLACE "\\" "/" lines "${lines}")
    string(REPLACE "\n" ";" lines "${lines}")
    foreach(line IN LISTS lines)
      string(LENGTH "${line}" width)
      if(width GREATER 79)
        list(APPEND wrong "prints a line of ${width} columns: ${line}")
      endif()
    endforeach()
  endif()
  foreach(text IN LISTS run_SAYS)
    string(FIND "${output}" "${text}" at)
    string(FIND "${flat}" "${text}" flat_at)
    if(at LESS 0 AND flat_at LESS 0)
      list(APPEND wrong "does not say \"${text}\"")
    endif()
  endforeach()
  # A test never waits for Enter: Wine is detected, and on Windows the output is a pipe.
  list(APPEND run_NOT_SAYS "Press Enter")
  foreach(text IN LISTS run_NOT_SAYS)
    string(FIND "${output}" "${text}" at)
    if(at GREATER_EQUAL 0)
      list(APPEND wrong "says \"${text}\"")
    endif()
  endforeach()
  if(wrong)
    string(REPLACE ";" "\n  " wrong "${wrong}")
    set(failures "${failures}${name}:\n  ${wrong}\n--- output:\n${output}${errors}---\n"
        PARENT_SCOPE)
  else()
    message(STATUS "${name}: exit ${result}")
  endif()
endfunction()

# The exe with the shipped settings beside it, as in a game folder.
set(game ${SCRATCH}/game)
file(MAKE_DIRECTORY ${game})
file(COPY ${CHECKER} DESTINATION ${game})
file(COPY_FILE ${SHIPPED} ${game}/Scuffler.ini)
get_filename_component(exe_name ${CHECKER} NAME)
set(exe ${game}/${exe_name})
windows_path(game_path ${game})

set(elsewhere ${SCRATCH}/elsewhere)
file(MAKE_DIRECTORY ${elsewhere})
check("the file beside the exe" EXE ${exe} IN ${elsewhere} EXIT 0
      SAYS "\nRead ${game_path}${sep}Scuffler.ini\n"
           "\nNo problems: Scuffler reads every line as it looks.\n")

set(working ${SCRATCH}/working)
file(WRITE ${working}/Scuffler.ini "[Scuffler]\r\niKickToChest = F5\r\n")
windows_path(working_path ${working})
check("the working folder's file first" EXE ${exe} IN ${working} EXIT 0
      SAYS "\nRead ${working_path}${sep}Scuffler.ini\n" "iKickToChest = F5 (116), line 2"
      NOT_SAYS "Read ${game_path}")

foreach(folder Überfall 設定)
  file(WRITE ${SCRATCH}/${folder}/Scuffler.ini "[Scuffler]\r\niKickToChest = Shift+F5\r\n")
  check("a path in ${folder}" EXE ${exe} IN ${elsewhere} EXIT 1 WIDE_PATHS
        ARGS ${SCRATCH}/${folder}/Scuffler.ini
        SAYS "\n  line 2: iKickToChest = Shift+F5\n" "\"Shift+F5\" is not one key name"
             "A setting takes one key: write F5.")
endforeach()

# The exe alone, and working folders without a settings file.
set(alone ${SCRATCH}/alone)
file(MAKE_DIRECTORY ${alone})
file(COPY ${CHECKER} DESTINATION ${alone})
windows_path(alone_path ${alone})
set(empty ${SCRATCH}/empty)
file(MAKE_DIRECTORY ${empty})
windows_path(empty_path ${empty})
check("no file" EXE ${alone}/${exe_name} IN ${empty} EXIT 2
      SAYS "No settings file could be read. Looked for:\n  ${empty_path}${sep}Scuffler.ini\n  \
${alone_path}${sep}Scuffler.ini\n"
           "Scuffler reads Scuffler.ini from the game's folder"
      NOT_SAYS ".txt" "${alone_path}${sep}${exe_name}")
check("no file, started in its own folder" EXE ${alone}/${exe_name} IN ${alone} EXIT 2
      SAYS "Looked for:\n  ${alone_path}${sep}Scuffler.ini\n\n")
set(hidden ${SCRATCH}/hidden)
file(WRITE ${hidden}/Scuffler.ini.txt "[Scuffler]\r\niKickToChest = F5\r\n")
windows_path(hidden_path ${hidden})
check("Scuffler.ini.txt" EXE ${alone}/${exe_name} IN ${hidden} EXIT 2
      SAYS "No settings file could be read."
           "\n${hidden_path}${sep}Scuffler.ini.txt\n  is there instead: the editor added .txt and \
Windows hides it.")
check("Scuffler.ini.txt by path" EXE ${alone}/${exe_name} IN ${hidden} EXIT 1
      ARGS Scuffler.ini.txt
      SAYS "\nRead ${hidden_path}${sep}Scuffler.ini.txt\n"
           "The game reads only a file named Scuffler.ini, and this one is named \"Scuffler.ini.txt\""
           "Rename it to Scuffler.ini"
      NOT_SAYS "When the game starts with this file")

# A folder named Scuffler.ini: said to be a folder, never "no file"; the search goes on.
set(folder ${SCRATCH}/folder)
file(MAKE_DIRECTORY ${folder}/Scuffler.ini)
windows_path(folder_path ${folder})
check("a folder named Scuffler.ini" EXE ${alone}/${exe_name} IN ${folder} EXIT 2
      SAYS "${folder_path}${sep}Scuffler.ini\n  cannot be read: it is a folder, not a file."
           "No settings file could be read.")
check("a folder named Scuffler.ini, by path" EXE ${exe} IN ${folder} EXIT 2 ARGS Scuffler.ini
      SAYS "cannot be read: it is a folder, not a file.")
check("a folder, then the file beside the exe" EXE ${exe} IN ${folder} EXIT 0
      SAYS "cannot be read: it is a folder, not a file." "\nRead ${game_path}${sep}Scuffler.ini\n")

# Several files, each in turn: the highest exit code.
check("two files" EXE ${exe} IN ${elsewhere} EXIT 1
      ARGS ${game}/Scuffler.ini ${working}/Scuffler.ini ${SCRATCH}/Überfall/Scuffler.ini WIDE_PATHS
      SAYS "\nRead ${game}/Scuffler.ini\n" "\nRead ${working}/Scuffler.ini\n"
           "\"Shift+F5\" is not one key name")

foreach(help --help -h /?)
  check("${help}" EXE ${exe} IN ${elsewhere} EXIT 0 ARGS ${help}
        SAYS "Usage: " "  2  no file could be read" NOT_SAYS "Read ")
endforeach()

# The save key is tested only while a recording is wanted: a move on Scroll Lock is then no
# clash.
set(scroll ${SCRATCH}/scroll)
file(WRITE ${scroll}/Scuffler.ini "[Scuffler]\r\niKickToChest = ScrollLock\r\n")
check("a move on Scroll Lock, not recording" EXE ${exe} IN ${scroll} EXIT 0
      SAYS "No problems: Scuffler reads every line as it looks." NOT_SAYS "iSaveRecordingKey and")
file(WRITE ${scroll}/Scuffler.ini "[Scuffler]\r\niKickToChest = ScrollLock\r\niRecordSeconds = 30\r\n")
check("a move on Scroll Lock, recording" EXE ${exe} IN ${scroll} EXIT 1
      SAYS "iSaveRecordingKey and iKickToChest are both on ScrollLock (145)")

# Each mistyped file, by path: exit 1, and the line it is about printed as the checker shows it
# (bytes outside printable ASCII escaped), with the finding's words beneath.
function(mistyped file line text finding)
  # Under the name the game reads, so that the finding is the line's alone.
  file(MAKE_DIRECTORY ${SCRATCH}/mistyped/${file})
  file(COPY_FILE ${MISTYPED}/${file} ${SCRATCH}/mistyped/${file}/Scuffler.ini)
  check(${file} EXE ${exe} IN ${elsewhere} EXIT 1 ARGS ${SCRATCH}/mistyped/${file}/Scuffler.ini
        SAYS "\n  line ${line}: ${text}\n    " "${finding}" NOT_SAYS "Rename it")
  set(failures "${failures}" PARENT_SCOPE)
endfunction()
mistyped(header-lower-case.ini 1 "[scuffler]"
         "The plug-in reads only the section [Scuffler], spelled exactly, capitals included")
mistyped(name-lower-case.ini 2 "ikicktochest = F5"
         "Scuffler has no setting named \"ikicktochest\"")
mistyped(no-header.ini 1 "iKickToChest = F5"
         "This line stands before any section header")
mistyped(byte-order-mark.ini 1 "\\xEF\\xBB\\xBF[Scuffler]"
         "An invisible byte-order mark stands at the start of the file")
mistyped(carriage-returns-only.ini 1 "[Scuffler]\\riKickToChest = F5"
         "This line holds line ends without a line feed (a carriage return alone")
mistyped(two-keys.ini 2 "iKickToChest = Shift+F5"
         "\"Shift+F5\" is not one key name, so it binds nothing.")
mistyped(right-ctrl.ini 2 "iKick2MidFar = Right Ctrl"
         "\"Right Ctrl\" is not one key name, so it binds nothing.")
mistyped(space-in-key-name.ini 2 "iKickToChest = F 5"
         "\"F 5\" is not one key name, so it binds nothing.")
mistyped(hex-key-code.ini 2 "iKickToChest = 0x74"
         "\"0x74\" is read as 0 (no key): the plug-in takes the number it starts with and ignores the \
rest. Key codes are decimal numbers: 0x74 is 116 in decimal, the key F5: write F5.")
mistyped(lshift.ini 2 "iKickToChest = LShift"
         "LShift (160) never fires: the keyboard messages carry Shift (16) for either side, and Shift is \
a key the game itself uses")
mistyped(decimal-comma.ini 2 "MAX_DISTANCE = 7,5"
         "\"7,5\" is read as 7: the plug-in takes the number it starts with and ignores the \
rest. Write 7.5: a decimal point, not a comma.")
mistyped(negative-distance.ini 2 "MAX_DISTANCE = -5"
         "A negative distance reaches as far as its positive value (5). Write 5.")

if(failures)
  message(FATAL_ERROR "${exe_name}:\n${failures}")
endif()
