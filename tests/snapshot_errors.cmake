# The snapshot command meets a member's error: it reports it, runs the
# operations after it and writes the picture, then exits with 1. The picture
# equals one made without the failed operation, which left its square bare.
# Usage: cmake -DSNAPSHOT=... -DOUT=folder -P snapshot_errors.cmake
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
