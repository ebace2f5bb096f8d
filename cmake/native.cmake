# Linux: unit tests and benchmarks of the module's logic against the fake OS and fake hosts.
find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()

find_package(Threads REQUIRED)

# The fake OS and fake hosts are compiled into each program that uses them: the module's static library
# calls into them, so they must not be a library that the linker may visit too early.
file(GLOB QUAVER_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(quaver_test_support INTERFACE)
target_sources(quaver_test_support INTERFACE ${QUAVER_TEST_SUPPORT})
target_include_directories(quaver_test_support INTERFACE tests/support tests/shared src)
target_link_libraries(quaver_test_support INTERFACE quaver_core Threads::Threads)

file(GLOB QUAVER_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${QUAVER_UNIT_TESTS} ${QUAVER_WIDE_PURE_SOURCES})
target_link_libraries(unit_tests PRIVATE quaver_test_support GTest::gtest GTest::gtest_main quaver_warnings)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# The wide module's language and help files, made from the OEM ones as its build makes them.
add_test(NAME WideLanguageFiles.UtfEightBehindAByteOrderMarkWithEveryLineEndKept
         COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}
                 -P ${CMAKE_SOURCE_DIR}/tests/scripts/wide_texts_test.cmake)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# The stand-alone host's console-free parts (tools/host/pure) are tested natively too.
file(GLOB HOST_PURE_SOURCES CONFIGURE_DEPENDS tools/host/pure/*.cpp)
if(HOST_PURE_SOURCES)
  add_library(host_pure STATIC ${HOST_PURE_SOURCES})
  target_include_directories(host_pure PUBLIC tools/host src)
  target_link_libraries(host_pure PUBLIC quaver_core PRIVATE quaver_warnings)
  target_link_libraries(unit_tests PRIVATE host_pure)
endif()
