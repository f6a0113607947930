# The snapshot command meets a member's error: it reports it, runs the
# operations after it and writes the picture, then exits with 1. The picture
# equals one made without the failed operation, which left its square bare.
# Then a table of wrong command lines, each refused before anything is written.
# Usage: cmake -DSNAPSHOT=... -DOUT=folder -P snapshot_errors.cmake
cmake_policy(VERSION 3.20)
execute_process(COMMAND "${SNAPSHOT}" "${OUT}/with-error.png" newgame piece 3 4 99 piece 5 5 10 piece 9 9 2
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "exit code ${result}, expected 1")
endif()
if(NOT errors MATCHES "piece 3 4 99: error 35600: Index out of bounds\n")
  message(FATAL_ERROR "no report of the error in: ${errors}")
endif()
if(NOT errors MATCHES "message box: Invalid request")
  message(FATAL_ERROR "the operations after the error did not run: ${errors}")
endif()
execute_process(COMMAND "${SNAPSHOT}" "${OUT}/without-error.png" newgame piece 5 5 10 RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "a run without errors exits with ${result}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/with-error.png" "${OUT}/without-error.png"
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the picture differs from the run without the failed operation")
endif()

# A wrong command line: exit code, a fragment of what the command prints, and
# whether the picture out.png is written. Each case runs in an empty folder,
# so no other file may appear either.
set(cases
  "0|usage: snapshot OUT.png|no|--help"
  "0|usage: snapshot OUT.png|no|-h"
  "0|usage: snapshot OUT.png|no|out.png newgame --help"
  "2|usage: snapshot OUT.png|no|"
  "2|must end in .png, not 'newgame'|no|newgame"
  "2|COL must be a whole number from -32768 to 32767, not 'a'|no|out.png piece a b c"
  "2|ROW must be a whole number from -32768 to 32767, not '40000'|no|out.png piece 1 40000 3"
  "2|CODE must be a whole number from -2147483648 to 2147483647, not '3x'|no|out.png piece 1 2 3x"
  "2|piece: CODE missing at the end|no|out.png newgame piece 1 2"
  "2|enabled: expected 0 or 1, not '2'|no|out.png enabled 2"
  "2|enabled: 0 or 1 missing at the end|no|out.png enabled"
  "2|S must be a number from 0.5 to 8, not 'abc'|no|out.png --scale abc"
  "2|S must be a number from 0.5 to 8, not '1e-9'|no|out.png --scale 1e-9"
  "2|S must be a number from 0.5 to 8, not '8.01'|no|out.png newgame --scale 8.01"
  "2|S must be a number from 0.5 to 8, not 'nan'|no|out.png --scale nan"
  "2|--scale: S missing at the end|no|out.png --scale"
  "2|--scale given twice|no|out.png --scale 2 --scale 3"
  "2|unknown operation 'castle'|no|out.png newgame castle"
  "0||yes|out.png --scale 0.5 enabled 0 piece 1 1 2"
  "0||yes|out.png --scale 8 enabled 1 newgame")
include("${CMAKE_CURRENT_LIST_DIR}/command_line_cases.cmake")
check_command_lines("${SNAPSHOT}" "${OUT}/command-line" out.png ${cases})
