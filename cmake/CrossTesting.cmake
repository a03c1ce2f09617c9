# GoogleTest for a cross build: Debian ships its sources, built here with the
# cross compiler. Each test program runs as one test under the emulator
# (Wine): discovering and running every case in a process of its own would
# start Wine hundreds of times.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own code is not held to our warnings.
foreach(t gtest gtest_main)
  target_compile_options(${t} PRIVATE -w)
endforeach()

function(gtest_discover_tests target)
  set(options)
  set(one TEST_PREFIX DISCOVERY_TIMEOUT)
  set(multi PROPERTIES)
  cmake_parse_arguments(arg "${options}" "${one}" "${multi}" ${ARGN})
  add_test(NAME ${arg_TEST_PREFIX}${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${arg_TEST_PREFIX}${target} PROPERTIES LABELS gtest ${arg_PROPERTIES})
endfunction()
