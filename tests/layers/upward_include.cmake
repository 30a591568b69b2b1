# Runs the include check of the real library table over a tree in which the astronomy core
# includes the sky view, and passes only when the check refuses it with the expected message.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/src/astro" "${WORK}/src/sky")
file(WRITE "${WORK}/src/sky/stars.h" "#pragma once\n")
file(WRITE "${WORK}/src/astro/angles.h" "#pragma once\n#include \"sky/stars.h\"\n")
file(STRINGS "${TABLE}" table REGEX "^src/astro:")
file(WRITE "${WORK}/layers.txt" "${table}\n")
get_filename_component(check "${CMAKE_CURRENT_LIST_DIR}/../../cmake/LayerCheck.cmake" ABSOLUTE)
execute_process(COMMAND "${CMAKE_COMMAND}" -DROOT=${WORK} -DTABLE=${WORK}/layers.txt -P "${check}"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "the check accepted src/astro/angles.h including sky/stars.h")
endif()
if(NOT errors MATCHES "src/astro/angles.h includes \"sky/stars.h\" of src/sky, which src/astro does not use \\(it uses no other folder\\)")
  message(FATAL_ERROR "the check failed with an unexpected message:\n${errors}")
endif()
