add_library(torvio_mmi_series STATIC ${CMAKE_CURRENT_LIST_DIR}/MmiSeries.cpp)
target_include_directories(torvio_mmi_series PUBLIC ${CMAKE_CURRENT_LIST_DIR})
find_package(Threads REQUIRED)
target_link_libraries(torvio_mmi_series PUBLIC parvex Threads::Threads)

add_executable(torvio_mmi_series_tests ${CMAKE_CURRENT_LIST_DIR}/tests/MmiSeriesTest.cpp)
target_link_libraries(torvio_mmi_series_tests PRIVATE torvio_mmi_series GTest::gtest_main)
gtest_discover_tests(torvio_mmi_series_tests DISCOVERY_TIMEOUT 60)
