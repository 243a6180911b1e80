# Builds a fuzz target with clang in BIN (a project of its own, kept between
# runs) and runs it for SECONDS seconds from its seed corpus and regression
# inputs; new inputs go to a work folder, never to the sources.
# Usage: cmake -DSRC=<fuzz dir> -DBIN=<build dir> -DCXX=<clang++> -DSECONDS=<n>
#              [-DTARGET=<target>] [-DCORPORA=<dir;dir>] -P smoke.cmake
# TARGET defaults to the preprocessor's, CORPORA to corpus;regressions
# (folders of SRC).
foreach(_v SRC BIN CXX SECONDS)
  if(NOT DEFINED ${_v})
    message(FATAL_ERROR "smoke.cmake needs -D${_v}=...")
  endif()
endforeach()
if(NOT DEFINED TARGET)
  set(TARGET zenta_pp_fuzz)
endif()
if(NOT DEFINED CORPORA)
  set(CORPORA corpus regressions)
endif()
set(_corpora)
foreach(_c ${CORPORA})
  list(APPEND _corpora "${SRC}/${_c}")
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SRC}" -B "${BIN}" -G Ninja
                        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
                RESULT_VARIABLE _r OUTPUT_QUIET)
if(_r)
  message(FATAL_ERROR "configuring the fuzz target failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BIN}" --target ${TARGET} RESULT_VARIABLE _r)
if(_r)
  message(FATAL_ERROR "building the fuzz target failed")
endif()
set(_work "${BIN}/work-${TARGET}")
file(REMOVE_RECURSE "${_work}")
file(MAKE_DIRECTORY "${_work}")
execute_process(COMMAND "${BIN}/${TARGET}" -max_total_time=${SECONDS} -timeout=20 -rss_limit_mb=2048
                        -print_final_stats=1 "${_work}" ${_corpora}
                WORKING_DIRECTORY "${_work}" RESULT_VARIABLE _r)
if(_r)
  message(FATAL_ERROR "the fuzz target found a fault (status ${_r})")
endif()
