# zenta_library(NAME <name> DEPS <libs...>)
# One static library per subsystem folder; its sources are the .cpp files of
# the folder, so adding a file needs no change here.
function(zenta_library)
  cmake_parse_arguments(ZL "" "NAME" "DEPS" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  file(GLOB _hdrs CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(zenta_${ZL_NAME} STATIC ${_srcs} ${_hdrs})
  target_include_directories(zenta_${ZL_NAME} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(zenta_${ZL_NAME} PUBLIC ${ZL_DEPS} Qt6::Core)
  target_compile_definitions(zenta_${ZL_NAME} PUBLIC QT_NO_KEYWORDS)
endfunction()
