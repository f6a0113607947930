# check_command_lines(PROGRAM FOLDER WRITTEN CASES...): runs PROGRAM once per case in FOLDER, emptied first.
# A case is "EXIT|FRAGMENT|WRITES|LINE": the exit code, a fragment of what the program prints, whether the
# folder then holds exactly the files WRITTEN (yes) or nothing (no), and the command line's words.
function(check_command_lines program folder written)
  foreach(case IN LISTS ARGN)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 expected_exit)
    list(GET fields 1 fragment)
    list(GET fields 2 writes)
    list(GET fields 3 line)
    separate_arguments(arguments UNIX_COMMAND "${line}")
    file(REMOVE_RECURSE "${folder}")
    file(MAKE_DIRECTORY "${folder}")
    execute_process(COMMAND "${program}" ${arguments} WORKING_DIRECTORY "${folder}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    file(GLOB_RECURSE files RELATIVE "${folder}" LIST_DIRECTORIES true "${folder}/*")
    set(expected_files "")
    if(writes)
      set(expected_files "${written}")
    endif()
    string(FIND "${output}" "${fragment}" at)
    if(NOT result EQUAL expected_exit OR at EQUAL -1 OR NOT files STREQUAL expected_files)
      message(FATAL_ERROR "${program} ${line}: exit ${result} (expected ${expected_exit}), files '${files}' "
                          "(expected '${expected_files}'), output:\n${output}\n(expected to contain: ${fragment})")
    endif()
  endforeach()
endfunction()
