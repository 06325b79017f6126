# The sanitizers' report folder of a test run (see SanitizerRun.cmake):
#   cmake -DREPORTS=folder -DMODE=cleared -P SanitizerReports.cmake   empties it
#   cmake -DREPORTS=folder -DMODE=none -P SanitizerReports.cmake      fails with every
#                                                                     report in it
if(MODE STREQUAL "cleared")
  file(REMOVE_RECURSE ${REPORTS})
  file(MAKE_DIRECTORY ${REPORTS})
  return()
endif()

file(GLOB reports ${REPORTS}/*)
if(reports)
  foreach(report IN LISTS reports)
    message("${report}:")
    execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${report})
  endforeach()
  list(LENGTH reports count)
  message(FATAL_ERROR "${count} sanitizer report(s) from this test run, printed above")
endif()
message(STATUS "No sanitizer report from this test run")
