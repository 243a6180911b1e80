# Writes a standard-definitions file of the analyser: the template, with the
# host compiler's system include directories put in its place as
# `#pragma zenta incl_std` lines, C++ directories first, each directory once,
# in the compiler's own order.
#
# With STANDARD (c++11 ... c++23) the file is the one of that dialect: the
# directories are those the compiler searches in that standard, and the
# compiler's own predefined macros in that standard (`-dM`) take the place
# of @ZENTA_HOST_MACROS@, sorted, without the names the analyser's
# preprocessor owns (__cplusplus, __STDC__ and the __has_ queries). The
# strict standard is asked for, not the GNU one (no __int128 or float128
# paths in the libraries). When the compiler does not know the standard by
# its year, the name it had before (c++2b ...) is tried.
#
#   cmake -DTEMPLATE=<in> -DOUTPUT=<out> -DCOMPILER=<c++ compiler> [-DSTANDARD=c++17]
#         -P generate_znus_c.cmake
cmake_minimum_required(VERSION 3.25)

set(_std_flags)
if(STANDARD)
  set(_aliases c++11 c++0x c++14 c++1y c++17 c++1z c++20 c++2a c++23 c++2b)
  list(FIND _aliases "${STANDARD}" _at)
  set(_candidates "${STANDARD}")
  if(_at GREATER_EQUAL 0)
    math(EXPR _next "${_at} + 1")
    list(GET _aliases ${_next} _alias)
    list(APPEND _candidates "${_alias}")
  endif()
  foreach(_c IN LISTS _candidates)
    execute_process(COMMAND "${COMPILER}" -std=${_c} -dM -E -x c++ /dev/null
                    OUTPUT_VARIABLE _macros ERROR_QUIET RESULT_VARIABLE _rc)
    if(_rc EQUAL 0)
      set(_std_flags -std=${_c})
      break()
    endif()
    set(_macros "")
  endforeach()
endif()

set(_dirs)
set(_langs c++ c)
if(STANDARD)
  set(_langs c++)
endif()
foreach(_lang IN LISTS _langs)
  execute_process(COMMAND "${COMPILER}" ${_std_flags} -E -x ${_lang} -v /dev/null
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
if(STANDARD)
  # One definition a line; a list element cannot hold a ';', so those are
  # carried through as a placeholder.
  string(REPLACE ";" "@SEMICOLON@" _macros "${_macros}")
  string(REPLACE "\n" ";" _defs "${_macros}")
  list(FILTER _defs INCLUDE REGEX "^#define ")
  list(FILTER _defs EXCLUDE REGEX "^#define (__cplusplus|__STDC__|__has_[a-z_]*)[ (]")
  list(SORT _defs)
  list(JOIN _defs "\n" _defines)
  string(REPLACE "@SEMICOLON@" ";" _defines "${_defines}")
  if(_defines STREQUAL "")
    set(_defines "/* (the compiler does not know ${STANDARD}) */")
  endif()
  string(REPLACE "@ZENTA_HOST_MACROS@" "${_defines}" _text "${_text}")
  string(REPLACE "@ZENTA_STANDARD@" "${STANDARD}" _text "${_text}")
endif()
file(WRITE "${OUTPUT}.tmp" "${_text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
