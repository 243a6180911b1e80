# Runs a harness for its CTest test:
#   cmake -P zentaprepro-run.cmake -- <harness> <results file>
# The test passes when every verdict passed: the harness exits with 0 (its
# status is 1 when a verdict failed) and the results file it wrote ends with
# its totals ("END <checks> <passed> 0"), so a harness that stopped early,
# even with status 0, fails. A harness that records nothing (-NOEDIT) is
# judged by its status alone.
set(_args)
set(_seen_separator FALSE)
math(EXPR _last "${CMAKE_ARGC} - 1")
foreach(_i RANGE 1 ${_last})
  if(_seen_separator)
    list(APPEND _args "${CMAKE_ARGV${_i}}")
  elseif(CMAKE_ARGV${_i} STREQUAL "--")
    set(_seen_separator TRUE)
  endif()
endforeach()
list(LENGTH _args _count)
if(NOT _count EQUAL 2)
  message(FATAL_ERROR "usage: cmake -P zentaprepro-run.cmake -- <harness> <results file>")
endif()
list(GET _args 0 _harness)
list(GET _args 1 _results)

# Ends the test as failed with one line of explanation.
function(_zenta_fail text)
  if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.29)
    message(NOTICE "${text}")
    cmake_language(EXIT 1)
  endif()
  message(FATAL_ERROR "${text}")
endfunction()

# The results file goes where the harness names it, so that it is read here.
unset(ENV{ZENTA_RESULTS})
file(REMOVE "${_results}")
execute_process(COMMAND "${_harness}" RESULT_VARIABLE _status)
if(NOT _status STREQUAL "0")
  _zenta_fail("the harness ended with status ${_status}: a verdict failed")
endif()
if(EXISTS "${_results}")
  file(STRINGS "${_results}" _totals REGEX "^END ")
  if(NOT _totals MATCHES "^END [0-9]+ [0-9]+ 0$")
    _zenta_fail("the results file ${_results} does not end with the totals of a run without failure")
  endif()
endif()
