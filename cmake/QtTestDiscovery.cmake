# Run after a Qt Test program is built: asks it for its test functions and writes one ctest
# test per function, each running in a process of its own on the offscreen platform.
# Expects PROGRAM, PREFIX and OUTPUT.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${PROGRAM}" -functions
                OUTPUT_VARIABLE listing RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} -functions failed (${status}):\n${listing}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
foreach(line ${lines})
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
    set(function ${CMAKE_MATCH_1})
    string(APPEND script
           "add_test([=[${PREFIX}.${function}]=] [==[${PROGRAM}]==] ${function})\n"
           "set_tests_properties([=[${PREFIX}.${function}]=] PROPERTIES "
           "ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)\n")
  endif()
endforeach()
if(script STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} lists no test functions")
endif()
file(WRITE "${OUTPUT}" "${script}")
