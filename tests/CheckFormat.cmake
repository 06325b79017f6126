# Fails when a C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources
  ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h
  ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  RESULT_VARIABLE result ERROR_VARIABLE diagnostics)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Run clang-format -i on these files:\n${diagnostics}")
endif()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: all sources formatted")
