# With CALORANT_SANITIZE every test runs under AddressSanitizer, LeakSanitizer and UBSan,
# and so does every programme a test starts (calorant-cli, the emulator, calorant
# itself), since they are built the same way and inherit the options below.
#
# A test may start a programme without looking at how it ended (an emulator stopped
# at the end of a test), so a report must not depend on the test reading it: every
# sanitizer writes into the folder sanitizer-reports of the build, the test
# sanitizer_reports_cleared empties it before the first test and
# sanitizer_reports_none fails after the last one with whatever it finds there.
# What we do not hold against Qt's own code is suppressed in suppressions-lsan.txt
# beside this file, where each entry says why.

set(CALORANT_SANITIZER_REPORTS ${PROJECT_BINARY_DIR}/sanitizer-reports)
set(CALORANT_SANITIZER_ENVIRONMENT
  "ASAN_OPTIONS=set:log_path=${CALORANT_SANITIZER_REPORTS}/asan:log_exe_name=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
  "LSAN_OPTIONS=set:suppressions=${CMAKE_CURRENT_LIST_DIR}/suppressions-lsan.txt:print_suppressions=0"
  "UBSAN_OPTIONS=set:log_path=${CALORANT_SANITIZER_REPORTS}/ubsan:log_exe_name=1:print_stacktrace=1:halt_on_error=1")

# calorant_sanitizer_options(TEST...)
#   Runs the tests with the options above and the report check around them; nothing
#   without CALORANT_SANITIZE.
function(calorant_sanitizer_options)
  if(NOT CALORANT_SANITIZE)
    return()
  endif()
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
                 ${CALORANT_SANITIZER_ENVIRONMENT})
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED sanitizer_reports)
  endforeach()
endfunction()

if(CALORANT_SANITIZE)
  foreach(mode cleared none)
    add_test(NAME sanitizer_reports_${mode}
      COMMAND ${CMAKE_COMMAND} -DREPORTS=${CALORANT_SANITIZER_REPORTS} -DMODE=${mode}
              -P ${CMAKE_CURRENT_LIST_DIR}/SanitizerReports.cmake)
  endforeach()
  set_tests_properties(sanitizer_reports_cleared PROPERTIES FIXTURES_SETUP sanitizer_reports)
  set_tests_properties(sanitizer_reports_none PROPERTIES FIXTURES_CLEANUP sanitizer_reports)
endif()
