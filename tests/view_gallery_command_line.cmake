# The view gallery's command line: help, or one existing folder. Each case runs
# in an empty folder, so a wrong line that wrote anything (a folder named
# after an option, a picture) shows.
# Usage: cmake -DVIEW_GALLERY=... -DOUT=folder -P view_gallery_command_line.cmake
cmake_policy(VERSION 3.20)
set(cases
  "0|usage: view_gallery DIRECTORY|no|--help"
  "0|usage: view_gallery DIRECTORY|no|-h"
  "0|usage: view_gallery DIRECTORY|no|. --help"
  "2|expected one DIRECTORY, not 0 arguments|no|"
  "2|expected one DIRECTORY, not 2 arguments|no|. ."
  "2|unknown option '--scale'|no|--scale"
  "2|'missing' is not an existing folder|no|missing"
  "0|view-100.png|yes|.")
set(pictures marks-100.png marks-200.png plain-100.png plain-200.png view-100-x3.png view-100.png view-125.png view-150.png view-200.png view-flipped-100-x3.png view-flipped-100.png view-flipped-125.png view-flipped-150.png view-flipped-200.png)
include("${CMAKE_CURRENT_LIST_DIR}/command_line_cases.cmake")
check_command_lines("${VIEW_GALLERY}" "${OUT}/view-gallery-command-line" "${pictures}" ${cases})
