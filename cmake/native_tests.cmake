# Native unit tests of the platform-free logic.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB TARNWICK_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*_test.cpp)
add_executable(unit_tests ${TARNWICK_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE tarnwick_logic GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS unit)
