# The program's libraries, one per source folder, made of every .cpp file in it. Sources in src/
# are included as "folder/file.h".
#
#   stellaro_library(FOLDER [USES folder...] [LINKS target...])
#
# USES names the program's libraries whose headers the folder includes; it must name each of them
# and nothing else, and only libraries declared before, so every dependency points down the table
# in src/CMakeLists.txt. LINKS names outside libraries. The include check enforces both.
include(${CMAKE_CURRENT_LIST_DIR}/LayerCheck.cmake)

function(stellaro_target_name folder result)
  string(REPLACE "/" "_" name ${folder})
  set(${result} stellaro_${name} PARENT_SCOPE)
endfunction()

function(stellaro_library folder)
  cmake_parse_arguments(arg "" "" "USES;LINKS" ${ARGN})
  get_property(declared GLOBAL PROPERTY STELLARO_LAYERS)
  set(dependencies)
  foreach(used ${arg_USES})
    if(NOT used IN_LIST declared)
      message(FATAL_ERROR "${folder} uses ${used}, which is not declared before it")
    endif()
    stellaro_target_name(${used} target)
    list(APPEND dependencies ${target})
  endforeach()
  stellaro_target_name(${folder} name)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${dependencies} ${arg_LINKS})
  set_property(GLOBAL APPEND PROPERTY STELLARO_LAYERS ${folder})
  string(REPLACE ";" "," uses "${arg_USES}")
  set_property(GLOBAL APPEND PROPERTY STELLARO_LAYER_TABLE "src/${folder}:${uses}")
endfunction()

# A test, benchmark or tool folder: its sources may include the headers of the libraries it
# names, its own folder's and those of the folders under tests/ it names (test support).
function(stellaro_client folder)
  cmake_parse_arguments(arg "" "" "USES" ${ARGN})
  string(REPLACE ";" "," uses "${arg_USES}")
  set_property(GLOBAL APPEND PROPERTY STELLARO_LAYER_TABLE "${folder}:${uses}")
endfunction()

# The libraries a client USES list links against.
function(stellaro_targets result)
  set(targets)
  foreach(used ${ARGN})
    stellaro_target_name(${used} target)
    list(APPEND targets ${target})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

# Writes the table of every folder and what it may use, then checks every source against it;
# a wrong include stops the configuration.
function(stellaro_check_layers)
  get_property(table GLOBAL PROPERTY STELLARO_LAYER_TABLE)
  set(table_file ${CMAKE_BINARY_DIR}/layers.txt)
  string(REPLACE ";" "\n" text "${table}")
  file(WRITE ${table_file} "${text}\n")
  stellaro_find_layer_faults(${PROJECT_SOURCE_DIR} ${table_file} faults)
  if(faults)
    string(REPLACE ";" "\n  " listed "${faults}")
    message(FATAL_ERROR "Includes that break the layering of the libraries:\n  ${listed}")
  endif()
endfunction()
