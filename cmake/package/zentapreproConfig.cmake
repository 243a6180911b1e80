# zentaprepro as a CMake package: the compiler, the runtime header and
# zenta_add_ptu_test(), which compiles a test script at build time, builds its
# harness with the code under test and registers it with CTest.
#
#   find_package(zentaprepro REQUIRED)
#   zenta_add_ptu_test(<name> SCRIPT <file.ptu> SOURCES <code under test...>
#                      [INCLUDE_DIRS <dir...>] [LINK_LIBRARIES <library...>]
#                      [LANGUAGE <C++11|C++14|C++17|C++20|C++23>]
#                      [OPTIONS <compiler option...>])
#
# Imported targets:
#   zentaprepro::zentaprepro  the compiler (an executable)
#   zentaprepro::runtime      the runtime header TP.h (an interface library)
#
# The package finds everything relative to this file, so an installation
# can be moved as a whole.

if(CMAKE_VERSION VERSION_LESS 3.20)
  set(zentaprepro_FOUND FALSE)
  set(zentaprepro_NOT_FOUND_MESSAGE
      "zentaprepro needs CMake 3.20 or later (custom command dependency files)")
  return()
endif()
# The policies of this file are recorded with the function it defines:
# dependency files of custom commands are read relative to the build tree.
cmake_policy(VERSION 3.20...3.28)

get_filename_component(_zentaprepro_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
set(zentaprepro_PREFIX "${_zentaprepro_prefix}")
set(zentaprepro_COMPILER "${_zentaprepro_prefix}/bin/zentaprepro")
set(zentaprepro_RUNTIME_DIR "${_zentaprepro_prefix}/lib")

foreach(_zentaprepro_file "${zentaprepro_COMPILER}" "${zentaprepro_RUNTIME_DIR}/TP.h")
  if(NOT EXISTS "${_zentaprepro_file}")
    set(zentaprepro_FOUND FALSE)
    set(zentaprepro_NOT_FOUND_MESSAGE "the installation under ${_zentaprepro_prefix} has no ${_zentaprepro_file}")
    return()
  endif()
endforeach()

if(NOT TARGET zentaprepro::zentaprepro)
  add_executable(zentaprepro::zentaprepro IMPORTED)
  set_target_properties(zentaprepro::zentaprepro PROPERTIES IMPORTED_LOCATION "${zentaprepro_COMPILER}")
endif()
if(NOT TARGET zentaprepro::runtime)
  add_library(zentaprepro::runtime INTERFACE IMPORTED)
  set_target_properties(zentaprepro::runtime PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${zentaprepro_RUNTIME_DIR}"
    INTERFACE_COMPILE_FEATURES cxx_std_11)
endif()

# zenta_add_ptu_test(<name> SCRIPT <file.ptu> SOURCES <file...> ...)
#
# At build time the compiler turns the script into <name>.cc (with its
# test-description file and class declaration file) in
# <current binary dir>/zenta/<name>/. It runs again when the script, a PTU
# file it includes or a header the analyser read changes (the compiler
# writes their list for the build tool). Its messages appear in the build
# log as "file:line: severity: text [CODE]"; warnings alone do not stop the
# build, errors do.
#
# The executable target <name> builds the harness with SOURCES against the
# installed TP.h; the directory of the script and INCLUDE_DIRS are its include
# directories. The compiler's analyser reads the headers with the include
# directories and definitions of that target, so LINK_LIBRARIES that carry
# include directories serve both. LANGUAGE is passed to the compiler as
# -LANGUAGE=<value> and, when it names a standard (C++17), sets the
# harness's C++ standard. OPTIONS are further compiler options, as written;
# a -MESSAGES there replaces the default IDE form.
#
# The CTest test <name> runs the harness and passes when every verdict
# passed: exit status 0 and a results file that ends with its totals and no
# failure.
function(zenta_add_ptu_test name)
  cmake_parse_arguments(PARSE_ARGV 1 _zt "" "SCRIPT;LANGUAGE" "SOURCES;INCLUDE_DIRS;LINK_LIBRARIES;OPTIONS")
  if(_zt_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zenta_add_ptu_test(${name}): unknown arguments: ${_zt_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT _zt_SCRIPT)
    message(FATAL_ERROR "zenta_add_ptu_test(${name}): SCRIPT <file.ptu> is required")
  endif()
  get_filename_component(_package_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}" ABSOLUTE)
  get_filename_component(_prefix "${_package_dir}/../../.." ABSOLUTE)
  get_filename_component(_script "${_zt_SCRIPT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(_script_dir "${_script}" DIRECTORY)
  set(_includes)
  foreach(_dir IN LISTS _zt_INCLUDE_DIRS)
    get_filename_component(_dir "${_dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND _includes "${_dir}")
  endforeach()

  set(_out "${CMAKE_CURRENT_BINARY_DIR}/zenta/${name}")
  set(_harness "${_out}/${name}.cc")
  set(_description "${_out}/${name}.tdc")
  set(_results "${_out}/${name}.rio")
  set(_depfile "${_out}/${name}.d")
  file(MAKE_DIRECTORY "${_out}")

  add_executable(${name} "${_harness}" ${_zt_SOURCES})
  target_include_directories(${name} PRIVATE "${_script_dir}" ${_includes})
  target_link_libraries(${name} PRIVATE zentaprepro::runtime ${_zt_LINK_LIBRARIES})

  set(_language)
  if(_zt_LANGUAGE)
    set(_language "-LANGUAGE=${_zt_LANGUAGE}")
    string(TOUPPER "${_zt_LANGUAGE}" _upper)
    if(_upper MATCHES "^C\\+\\+([0-9][0-9])$")
      set_target_properties(${name} PROPERTIES CXX_STANDARD ${CMAKE_MATCH_1} CXX_STANDARD_REQUIRED ON)
    endif()
  endif()

  # The function writes -DEPFILE and -LANGUAGE itself; a -MESSAGES in
  # OPTIONS replaces its default form (a compiler option given twice is
  # refused by the compiler).
  set(_messages -MESSAGES=IDE)
  foreach(_option IN LISTS _zt_OPTIONS)
    string(TOUPPER "${_option}" _upper)
    if(_upper MATCHES "^-MESSAGES=")
      set(_messages)
    elseif(_upper MATCHES "^-DEPFILE=")
      message(FATAL_ERROR "zenta_add_ptu_test(${name}): -DEPFILE is written by the function, leave it out of OPTIONS")
    elseif(_upper MATCHES "^-LANGUAGE=" AND _zt_LANGUAGE)
      message(FATAL_ERROR "zenta_add_ptu_test(${name}): the language is given twice, by LANGUAGE and in OPTIONS")
    endif()
  endforeach()

  # The analyser sees the headers as the harness's compiler does: the
  # include directories and definitions of the harness target, usage
  # requirements of its libraries included. A list option of the compiler
  # may be repeated, one value each time.
  set(_dirs "$<TARGET_PROPERTY:${name},INCLUDE_DIRECTORIES>")
  set(_defs "$<TARGET_PROPERTY:${name},COMPILE_DEFINITIONS>")
  add_custom_command(
    OUTPUT "${_harness}" "${_description}"
    COMMAND "${CMAKE_COMMAND}" -P "${_package_dir}/zentaprepro-compile.cmake" --
            "${_prefix}" "${_script}" "${_harness}"
            "$<$<BOOL:${_dirs}>:-INCL=$<JOIN:${_dirs},;-INCL=>>"
            "$<$<BOOL:${_defs}>:-DEFINE=$<JOIN:${_defs},;-DEFINE=>>"
            "-DEPFILE=${_depfile}" ${_messages} ${_language} ${_zt_OPTIONS}
    DEPENDS "${_script}" "${_prefix}/bin/zentaprepro" "${_package_dir}/zentaprepro-compile.cmake"
    DEPFILE "${_depfile}"
    WORKING_DIRECTORY "${_out}"
    COMMENT "Compiling the test script ${_zt_SCRIPT} of ${name}"
    COMMAND_EXPAND_LISTS
    VERBATIM)

  add_test(NAME ${name}
    COMMAND "${CMAKE_COMMAND}" -P "${_package_dir}/zentaprepro-run.cmake" -- "$<TARGET_FILE:${name}>" "${_results}"
    WORKING_DIRECTORY "${_out}")
endfunction()
