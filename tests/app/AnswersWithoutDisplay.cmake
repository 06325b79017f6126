# calorant's answers that need no window, run where there is no display: --version
# names the project's version, usage errors end with status 2 and the reason, and a
# usable command line is the only one that reaches for the display.
#   cmake -DPROGRAMME=path/to/calorant -DVERSION=x.y.z -P AnswersWithoutDisplay.cmake

function(run expected_status)
  execute_process(COMMAND "${PROGRAMME}" ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "calorant ${ARGN} ended with ${status}, not ${expected_status}:\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 --version)
if(NOT out STREQUAL "Calorant ${VERSION}\n")
  message(FATAL_ERROR "calorant --version printed '${out}'")
endif()
run(0 -v)

foreach(arguments "--device" "--device=" "--demo;--device;/dev/ttyUSB0" "a.graph;b.graph"
                  "--colour")
  run(2 ${arguments})
  if(NOT err MATCHES "^calorant: [^\n]+\nUsage: ")
    message(FATAL_ERROR "calorant ${arguments}: no reason and usage on stderr:\n${err}")
  endif()
endforeach()

# A command line that starts the programme does need the display it lacks here.
execute_process(COMMAND "${PROGRAMME}" --demo RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET
                TIMEOUT 20)
if(status EQUAL 0)
  message(FATAL_ERROR "calorant --demo ended successfully without a display")
endif()
