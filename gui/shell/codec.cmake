# The .tvd codec: Qt-free, shared by the program and torvio-gen.
add_library(torvio_codec STATIC ${CMAKE_CURRENT_LIST_DIR}/ProjectFile.cpp)
target_include_directories(torvio_codec PUBLIC
  ${CMAKE_CURRENT_LIST_DIR}
  ${PROJECT_SOURCE_DIR}/sdk/include)
set_target_properties(torvio_codec PROPERTIES POSITION_INDEPENDENT_CODE ON)

add_executable(torvio_codec_tests ${CMAKE_CURRENT_LIST_DIR}/tests/codec/ProjectFileTest.cpp)
target_link_libraries(torvio_codec_tests PRIVATE torvio_codec GTest::gtest_main)
gtest_discover_tests(torvio_codec_tests)

# Reading a project file's bytes (Qt Core), shared by the program, the
# comparison and torvio-gen.
find_package(Qt6 REQUIRED COMPONENTS Core)
add_library(torvio_project_io STATIC ${CMAKE_CURRENT_LIST_DIR}/ProjectBytes.cpp)
target_link_libraries(torvio_project_io PUBLIC torvio_codec Qt6::Core)
target_compile_definitions(torvio_project_io PRIVATE QT_NO_CAST_FROM_ASCII)
