# The DLL, the tools, and the end-to-end tests that run under Wine (64-bit: wine64; 32-bit: WoW64 Wine).
set(QUAVER_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_library(quaver SHARED src/os/os_win32.cpp src/module/classic/quaver.def)
target_link_libraries(quaver PRIVATE -Wl,--whole-archive quaver_core -Wl,--no-whole-archive
                      quaver_warnings quaver_module_flags user32 advapi32 winmm kernel32 ${QUAVER_STATIC_RUNTIME})
target_include_directories(quaver PRIVATE src)
set_target_properties(quaver PROPERTIES PREFIX "" OUTPUT_NAME quaver)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Undecorated __stdcall exports come from the .def file alone.
  target_link_options(quaver PRIVATE -Wl,--enable-stdcall-fixup -Wl,--kill-at)
endif()
# The module's language and help files lie beside it, where the file manager and quaver-host look for them.
# Copied byte for byte (code page, CR LF) at configure time, and again whenever they change.
file(GLOB QUAVER_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/lang/*.lng ${CMAKE_SOURCE_DIR}/src/lang/*.hlf)
foreach(data ${QUAVER_LANGUAGE_FILES})
  get_filename_component(name ${data} NAME)
  configure_file(${data} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name} COPYONLY)
endforeach()

# The wide module: the same sources for the host's wide-character interface, into bin/wide/ (quaver.dll, as the
# host's folder for it holds one module) with its language and help files in UTF-8.
set(QUAVER_WIDE_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/wide)
add_library(quaver_wide_core STATIC ${QUAVER_SHARED_SOURCES} ${QUAVER_WIDE_SOURCES})
target_compile_definitions(quaver_wide_core PUBLIC QUAVER_WIDE=1)
target_include_directories(quaver_wide_core PUBLIC src PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(quaver_wide_core PRIVATE quaver_warnings quaver_module_flags)
add_library(quaver-wide SHARED src/os/os_win32.cpp src/module/wide/quaver.def)
target_link_libraries(quaver-wide PRIVATE -Wl,--whole-archive quaver_wide_core -Wl,--no-whole-archive
                      quaver_warnings quaver_module_flags user32 advapi32 winmm kernel32 ${QUAVER_STATIC_RUNTIME})
target_include_directories(quaver-wide PRIVATE src)
set_target_properties(quaver-wide PROPERTIES PREFIX "" OUTPUT_NAME quaver RUNTIME_OUTPUT_DIRECTORY ${QUAVER_WIDE_DIR}
                      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/wide-import)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(quaver-wide PRIVATE -Wl,--enable-stdcall-fixup -Wl,--kill-at)
endif()
# Its language and help files, made from the same OEM sources at build time.
set(QUAVER_WIDE_TEXTS)
foreach(data ${QUAVER_LANGUAGE_FILES})
  get_filename_component(name ${data} NAME)
  add_custom_command(OUTPUT ${QUAVER_WIDE_DIR}/${name}
                     COMMAND ${CMAKE_COMMAND} -DSOURCE=${data} -DTARGET=${QUAVER_WIDE_DIR}/${name}
                             -P ${CMAKE_SOURCE_DIR}/cmake/oem_to_utf8.cmake
                     DEPENDS ${data} ${CMAKE_SOURCE_DIR}/cmake/oem_to_utf8.cmake
                     COMMENT "UTF-8 ${name} for the wide module" VERBATIM)
  list(APPEND QUAVER_WIDE_TEXTS ${QUAVER_WIDE_DIR}/${name})
endforeach()
add_custom_target(quaver-wide-texts DEPENDS ${QUAVER_WIDE_TEXTS})
add_dependencies(quaver-wide quaver-wide-texts)

# The module's code with the real Win32 seam, for Windows tests that need to reach inside. The seam is
# compiled into each such program, after which the module's library can find it on the link line.
add_library(quaver_win32_linked INTERFACE)
target_sources(quaver_win32_linked INTERFACE ${CMAKE_SOURCE_DIR}/src/os/os_win32.cpp)
target_link_libraries(quaver_win32_linked INTERFACE quaver_core user32 advapi32 winmm kernel32)

foreach(tool host player)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tools/${tool}/CMakeLists.txt)
    add_subdirectory(tools/${tool})
  endif()
endforeach()

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The shipping compilers' win32 thread model has no std::mutex, which GoogleTest needs. GoogleTest and the test
  # programs alone are compiled and linked by the posix model's twins; the DLL, host and player they test are
  # the shipping build.
  set(QUAVER_TEST_LAUNCHER ${CMAKE_SOURCE_DIR}/scripts/posix-thread-model)
  set_target_properties(gtest gtest_main PROPERTIES RULE_LAUNCH_COMPILE ${QUAVER_TEST_LAUNCHER}
                        RULE_LAUNCH_LINK ${QUAVER_TEST_LAUNCHER})
endif()
enable_testing()
add_subdirectory(tests/e2e)
