# libFuzzer targets: one program per outside input, each driving the module's real code through the fake OS
# and fake host. ctest runs each briefly over its committed seed corpus; `./quaver fuzz` runs them longer.
find_package(Threads REQUIRED)
file(GLOB QUAVER_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
file(GLOB QUAVER_FUZZ_TARGETS CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
# The fakes are compiled once and their objects linked into every target (ahead of the module's library).
add_library(fuzz_support OBJECT ${QUAVER_TEST_SUPPORT})
target_include_directories(fuzz_support PRIVATE tests/support tests/shared src)
target_link_libraries(fuzz_support PRIVATE quaver_warnings)
enable_testing()
foreach(source ${QUAVER_FUZZ_TARGETS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source} $<TARGET_OBJECTS:fuzz_support>)
  target_include_directories(${name} PRIVATE tests/support tests/shared tests/fuzz src)
  target_link_libraries(${name} PRIVATE quaver_core Threads::Threads quaver_warnings)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(work ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${QUAVER_FUZZ_SMOKE_SECONDS} -timeout=10
           -print_final_stats=1 ${work} ${seeds})
endforeach()
