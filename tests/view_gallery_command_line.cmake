# The view gallery's command line: help, or one existing folder. Each case runs
# in an empty folder, so a wrong line that wrote anything (a folder named
# after an option, a picture) shows.
# Usage: cmake -DVIEW_GALLERY=... -DOUT=folder -P view_gallery_command_line.cmake
cmake_policy(VERSION 3.20)
# Expected exit code, a fragment of what the command prints, whether it writes into the folder, the line.
set(cases
  "0|usage: view_gallery DIRECTORY|no|--help"
  "0|usage: view_gallery DIRECTORY|no|-h"
  "0|usage: view_gallery DIRECTORY|no|. --help"
  "2|expected one DIRECTORY, not 0 arguments|no|"
  "2|expected one DIRECTORY, not 2 arguments|no|. ."
  "2|unknown option '--scale'|no|--scale"
  "2|'missing' is not an existing folder|no|missing"
  "0|view-100.png|yes|.")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 expected_exit)
  list(GET fields 1 fragment)
  list(GET fields 2 writes)
  list(GET fields 3 line)
  separate_arguments(arguments UNIX_COMMAND "${line}")
  set(folder "${OUT}/view-gallery-command-line")
  file(REMOVE_RECURSE "${folder}")
  file(MAKE_DIRECTORY "${folder}")
  execute_process(COMMAND "${VIEW_GALLERY}" ${arguments} WORKING_DIRECTORY "${folder}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(GLOB_RECURSE written RELATIVE "${folder}" LIST_DIRECTORIES true "${folder}/*")
  string(FIND "${output}" "${fragment}" at)
  if(written STREQUAL "")
    set(wrote no)
  else()
    set(wrote yes)
  endif()
  if(NOT result EQUAL expected_exit OR at EQUAL -1 OR NOT wrote STREQUAL writes)
    message(FATAL_ERROR "view_gallery ${line}: exit ${result} (expected ${expected_exit}), wrote '${written}' "
                        "(expected ${writes}), output:\n${output}\n(expected to contain: ${fragment})")
  endif()
endforeach()
