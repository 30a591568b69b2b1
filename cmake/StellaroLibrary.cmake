# One static library per source folder, made of every .cpp file in it.
# Sources in src/ are included as "folder/file.h".
function(stellaro_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
  set_property(GLOBAL APPEND PROPERTY STELLARO_LIBRARIES ${name})
endfunction()
