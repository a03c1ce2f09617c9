# Fails unless the library's defined dynamic symbols are exactly the four
# exports (the version node's own symbol aside).
# Usage: cmake -DNM=<nm> -DLIBRARY=<file> -P CheckExports.cmake
set(expected SIRENTA_1shMMI SIRENTA_3shMMI SIRENTA_SetDefaut1sh SIRENTA_SetDefaut3sh)
set(version_node SIRENTA_1)

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(found)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  # "<address> <type> <name>[@@version]"
  string(REGEX REPLACE "^.* [A-Za-z] " "" name "${line}")
  string(REGEX REPLACE "@.*$" "" name "${name}")
  if(name STREQUAL version_node)
    continue()
  endif()
  list(APPEND found ${name})
endforeach()
list(SORT found)

if(NOT found STREQUAL expected)
  message(FATAL_ERROR "dynamic symbols: ${found}\nexpected exactly: ${expected}")
endif()
message(STATUS "dynamic symbols: ${found}")
