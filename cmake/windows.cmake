# Windows targets: the Win32 layer, the saver, the tools and the tests that run under Wine.
enable_language(RC)

# Not WIN32_LEAN_AND_MEAN: the GDI+ headers need the OLE types it leaves out.
set(TARNWICK_WIN32_DEFINITIONS NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MINGW)
  # Self-contained executables: no MinGW runtime DLL beside them.
  set(TARNWICK_STATIC_LINK -static -static-libgcc -static-libstdc++)
  set(TARNWICK_WIDE_ENTRY -municode)
else()
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  set(TARNWICK_STATIC_LINK)
  set(TARNWICK_WIDE_ENTRY)
endif()
set(TARNWICK_SYSTEM_LIBS gdiplus gdi32 user32 advapi32 comdlg32 comctl32 shell32 psapi kernel32)

target_compile_definitions(tarnwick_logic PUBLIC ${TARNWICK_WIN32_DEFINITIONS})

file(GLOB TARNWICK_WIN_SOURCES CONFIGURE_DEPENDS common/*_win32.cpp host/win32/*_win32.cpp render/*_win32.cpp
    settings/*_win32.cpp)
list(FILTER TARNWICK_WIN_SOURCES EXCLUDE REGEX "/winmain_win32\\.cpp$")
add_library(tarnwick_win STATIC ${TARNWICK_WIN_SOURCES})
target_link_libraries(tarnwick_win PUBLIC tarnwick_logic ${TARNWICK_SYSTEM_LIBS})

# windres reports no dependencies: name what the script pulls in, so that a changed template,
# picture or version rebuilds the resources.
set_source_files_properties(resources/tarnwick.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/dialogs.rc;${CMAKE_SOURCE_DIR}/resources/resource_ids.h;${CMAKE_SOURCE_DIR}/resources/product.bmp;${CMAKE_BINARY_DIR}/generated/tarnwick_config.h")
# The setup programs' build-time values; scripts/package hands the file to makensis.
configure_file(installer/config.nsh.in ${CMAKE_BINARY_DIR}/generated/installer_config.nsh @ONLY)

# The saver's entry and resources, compiled once for the saver and for its test build.
add_library(tarnwick_saver OBJECT host/win32/winmain_win32.cpp resources/tarnwick.rc)
target_link_libraries(tarnwick_saver PUBLIC tarnwick_win)

add_executable(tarnwick WIN32)
set_target_properties(tarnwick PROPERTIES SUFFIX ".scr")
target_link_libraries(tarnwick PRIVATE tarnwick_saver)
# The shipped file carries no symbols or debug records: stripped as it is linked, so the header
# checksum ld writes holds for the file as released.
target_link_options(tarnwick PRIVATE ${TARNWICK_STATIC_LINK} -s)

# What only the tools and the tests use: off-screen canvases, pixel read-back, PNG files.
file(GLOB TARNWICK_TOOL_SUPPORT CONFIGURE_DEPENDS tools/*_win32.cpp)
list(FILTER TARNWICK_TOOL_SUPPORT EXCLUDE REGEX "_tool_win32\\.cpp$")
add_library(tarnwick_tool_support STATIC ${TARNWICK_TOOL_SUPPORT})
target_link_libraries(tarnwick_tool_support PUBLIC tarnwick_win)

# Tools: tools/<name>_tool_win32.cpp becomes tarnwick-<name>.exe.
file(GLOB TARNWICK_TOOLS CONFIGURE_DEPENDS tools/*_tool_win32.cpp)
foreach(tool_source IN LISTS TARNWICK_TOOLS)
  get_filename_component(tool_name ${tool_source} NAME)
  string(REGEX REPLACE "_tool_win32\\.cpp$" "" tool_name ${tool_name})
  add_executable(tarnwick-${tool_name} ${tool_source})
  target_link_libraries(tarnwick-${tool_name} PRIVATE tarnwick_tool_support)
  target_link_options(tarnwick-${tool_name} PRIVATE ${TARNWICK_STATIC_LINK} ${TARNWICK_WIDE_ENTRY})
endforeach()

# The tests need GoogleTest's sources (Debian ships them); a Windows build without them makes the
# saver and the tools only.
set(TARNWICK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree for the Windows tests")
if(NOT EXISTS ${TARNWICK_GTEST_SOURCE}/CMakeLists.txt)
  return()
endif()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${TARNWICK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB TARNWICK_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*_test.cpp)
file(GLOB TARNWICK_WIN32_TEST_SUPPORT CONFIGURE_DEPENDS tests/win32/*_support.cpp)
add_executable(win32_tests ${TARNWICK_WIN32_TESTS} ${TARNWICK_WIN32_TEST_SUPPORT})
target_link_libraries(win32_tests PRIVATE tarnwick_tool_support tarnwick_warnings gtest gtest_main)
target_link_options(win32_tests PRIVATE ${TARNWICK_STATIC_LINK})

# Small Win32 programs that the end-to-end scripts drive: tests/e2e/<name>.cpp becomes <name>.exe.
file(GLOB TARNWICK_E2E_PROGRAMS CONFIGURE_DEPENDS tests/e2e/*.cpp)
foreach(program_source IN LISTS TARNWICK_E2E_PROGRAMS)
  get_filename_component(program_name ${program_source} NAME_WE)
  add_executable(${program_name} ${program_source})
  target_link_libraries(${program_name} PRIVATE tarnwick_win)
  target_link_options(${program_name} PRIVATE ${TARNWICK_STATIC_LINK})
endforeach()

# Only a build that can run what it makes (the 64-bit one, under Wine) registers tests.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  gtest_discover_tests(win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES LABELS win32)
  file(GLOB TARNWICK_E2E_SCRIPTS CONFIGURE_DEPENDS tests/e2e/*.sh)
  list(FILTER TARNWICK_E2E_SCRIPTS EXCLUDE REGEX "_lib\\.sh$")
  foreach(script IN LISTS TARNWICK_E2E_SCRIPTS)
    get_filename_component(script_name ${script} NAME_WE)
    add_test(NAME e2e.${script_name} COMMAND bash ${script})
    set_tests_properties(e2e.${script_name} PROPERTIES LABELS e2e TIMEOUT 600
      ENVIRONMENT "TARNWICK_BUILD=${CMAKE_BINARY_DIR};TARNWICK_SOURCE=${CMAKE_SOURCE_DIR}")
  endforeach()
endif()

# tarnwick-test.scr is the same saver with a watcher that the end-to-end tests query through
# window messages and files (tests/probe/saver_probe_win32.h); the shipped tarnwick.scr has none.
add_executable(tarnwick-test WIN32 tests/probe/saver_probe_win32.cpp)
set_target_properties(tarnwick-test PROPERTIES SUFFIX ".scr")
target_link_libraries(tarnwick-test PRIVATE tarnwick_saver tarnwick_tool_support)
target_link_options(tarnwick-test PRIVATE ${TARNWICK_STATIC_LINK})
