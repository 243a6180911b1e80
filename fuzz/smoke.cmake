# Builds the fuzz target with clang in BIN (a project of its own, kept between
# runs) and runs it for SECONDS seconds from the seed corpus and the
# regression inputs; new inputs go to a work folder, never to the sources.
# Usage: cmake -DSRC=<fuzz dir> -DBIN=<build dir> -DCXX=<clang++> -DSECONDS=<n> -P smoke.cmake
foreach(_v SRC BIN CXX SECONDS)
  if(NOT DEFINED ${_v})
    message(FATAL_ERROR "smoke.cmake needs -D${_v}=...")
  endif()
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SRC}" -B "${BIN}" -G Ninja
                        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
                RESULT_VARIABLE _r OUTPUT_QUIET)
if(_r)
  message(FATAL_ERROR "configuring the fuzz target failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BIN}" RESULT_VARIABLE _r)
if(_r)
  message(FATAL_ERROR "building the fuzz target failed")
endif()
file(REMOVE_RECURSE "${BIN}/work")
file(MAKE_DIRECTORY "${BIN}/work")
execute_process(COMMAND "${BIN}/zenta_pp_fuzz" -max_total_time=${SECONDS} -timeout=20 -rss_limit_mb=2048
                        -print_final_stats=1 "${BIN}/work" "${SRC}/corpus" "${SRC}/regressions"
                WORKING_DIRECTORY "${BIN}/work" RESULT_VARIABLE _r)
if(_r)
  message(FATAL_ERROR "the fuzz target found a fault (status ${_r})")
endif()
