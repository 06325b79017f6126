# Compares the options a manual page names in its SYNOPSIS, COMMANDS and OPTIONS
# sections with those the programme's own --help prints, so that neither can gain or
# lose an option without the other.
#   cmake -DPROGRAMME=path/to/programme -DPAGE=path/to/page.1 -P ManPageOptions.cmake

# Long options (--device) and single-letter ones (-o), each once, sorted.
function(options_in text result)
  # Brackets would group CMake list items: usage punctuation becomes plain space.
  string(REGEX REPLACE "[][()|,]" " " text "${text}")
  string(REGEX MATCHALL "(^|[ \t\n])--?[A-Za-z][A-Za-z0-9-]*" found "${text}")
  set(options)
  foreach(match IN LISTS found)
    string(STRIP "${match}" option)
    # A single dash before a whole word is a hyphenated word's tail, not an option.
    if(option MATCHES "^--" OR option MATCHES "^-[A-Za-z]$")
      list(APPEND options ${option})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES options)
  list(SORT options)
  set(${result} "${options}" PARENT_SCOPE)
endfunction()

# The page's text in the sections that list options, with roff's escapes taken out.
function(option_sections_of page result)
  file(STRINGS "${page}" lines)
  set(text "")
  set(listing OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "^\\.SH +\"?([A-Z ]+)\"?")
      string(STRIP "${CMAKE_MATCH_1}" section)
      set(listing OFF)
      if(section MATCHES "^(SYNOPSIS|COMMANDS|OPTIONS)$")
        set(listing ON)
      endif()
    elseif(listing AND NOT line MATCHES "^\\.\\\\\"")
      string(REGEX REPLACE "\\\\f[BIRP]" "" line "${line}")
      string(REPLACE "\\-" "-" line "${line}")
      string(REGEX REPLACE "^\\.[A-Z]+ *" "" line "${line}")
      string(APPEND text " ${line}\n")
    endif()
  endforeach()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${PROGRAMME}" --help RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAMME} --help ended with ${status}: ${err}")
endif()
options_in("${out}${err}" help_options)
# The option that printed the text is offered whether or not the text lists it.
list(APPEND help_options --help)
list(REMOVE_DUPLICATES help_options)
list(SORT help_options)

option_sections_of("${PAGE}" page_text)
options_in("${page_text}" page_options)

if(NOT help_options STREQUAL page_options)
  set(only_help ${help_options})
  list(REMOVE_ITEM only_help ${page_options})
  set(only_page ${page_options})
  list(REMOVE_ITEM only_page ${help_options})
  message(FATAL_ERROR "${PAGE} and ${PROGRAMME} --help name different options\n"
                      "  only in --help: ${only_help}\n  only in the page: ${only_page}")
endif()
message(STATUS "${PAGE}: ${page_options}")
