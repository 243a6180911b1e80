# Writes the standard-definitions file of the analyser: the template, with the
# host compiler's system include directories put in its place as
# `#pragma zenta incl_std` lines, C++ directories first, each directory once,
# in the compiler's own order.
#
#   cmake -DTEMPLATE=<in> -DOUTPUT=<out> -DCOMPILER=<c++ compiler> -P generate_znus_c.cmake
cmake_minimum_required(VERSION 3.25)
set(_dirs)
foreach(_lang c++ c)
  execute_process(COMMAND "${COMPILER}" -E -x ${_lang} -v /dev/null
                  OUTPUT_QUIET ERROR_VARIABLE _err RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    continue()
  endif()
  string(REGEX MATCH "#include <\\.\\.\\.> search starts here:\n(.*)End of search list" _m "${_err}")
  string(REPLACE "\n" ";" _lines "${CMAKE_MATCH_1}")
  foreach(_l IN LISTS _lines)
    string(STRIP "${_l}" _l)
    string(REGEX REPLACE " \\(framework directory\\)$" "" _l "${_l}")
    if(_l STREQUAL "")
      continue()
    endif()
    cmake_path(NORMAL_PATH _l)
    string(REGEX REPLACE "(.)/$" "\\1" _l "${_l}")
    if(NOT _l IN_LIST _dirs)
      list(APPEND _dirs "${_l}")
    endif()
  endforeach()
endforeach()

set(_pragmas "")
foreach(_d IN LISTS _dirs)
  string(APPEND _pragmas "#pragma zenta incl_std ${_d}\n")
endforeach()
if(_pragmas STREQUAL "")
  set(_pragmas "/* (the compiler gave no system include directory) */\n")
endif()
string(REGEX REPLACE "\n$" "" _pragmas "${_pragmas}")

file(READ "${TEMPLATE}" _text)
string(REPLACE "@ZENTA_SYSTEM_INCLUDES@" "${_pragmas}" _text "${_text}")
file(WRITE "${OUTPUT}.tmp" "${_text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
