# Fails when the library's dynamic symbol table defines anything but the
# expected exports, or lacks one of them.
# Also checks that the version script and the .def file name the same exports,
# the .def file with ordinals 1, 2, ... in the listed order.
#   cmake -DNM=<nm> -DLIBRARY=<file> -DEXPECTED=<a;b;...> -DMAP=<file> -DDEF=<file>
#         -P CheckExports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(found "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] ([^ @]+)")
    list(APPEND found ${CMAKE_MATCH_1})
  endif()
endforeach()
list(SORT found)
set(ordered ${EXPECTED})
set(expected ${ordered})
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exported symbols differ\n  expected: ${expected}\n  found:    ${found}")
endif()
list(LENGTH found count)
message(STATUS "${count} exports, as expected")

file(READ ${MAP} map_text)
string(REGEX MATCHALL "PARVEX_[A-Za-z]+" map_names "${map_text}")
list(SORT map_names)
if(NOT map_names STREQUAL expected)
  message(FATAL_ERROR "parvex.map differs\n  expected: ${expected}\n  found:    ${map_names}")
endif()

file(STRINGS ${DEF} def_lines REGEX "@[0-9]+")
list(LENGTH def_lines def_count)
list(LENGTH ordered expected_count)
if(NOT def_count EQUAL expected_count)
  message(FATAL_ERROR "parvex.def lists ${def_count} ordinals, expected ${expected_count}")
endif()
set(index 0)
foreach(name IN LISTS ordered)
  list(GET def_lines ${index} line)
  math(EXPR index "${index} + 1")
  if(NOT line MATCHES "^ *${name} +@${index}$")
    message(FATAL_ERROR "parvex.def: expected ${name} @${index}, found '${line}'")
  endif()
endforeach()
