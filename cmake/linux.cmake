# Linux targets: the Cairo/Pango renderer, the X11 program `tarnwick`, its tools, their tests
# and the Debian package.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TARNWICK_CAIRO REQUIRED IMPORTED_TARGET cairo cairo-xlib pangocairo x11 xext)

# Every Linux program links this library, so it also carries what they share beyond the drawing:
# the time zones, from the system's IANA database through the date library (libdate-tz).
find_package(date CONFIG REQUIRED)
file(GLOB TARNWICK_CAIRO_SOURCES CONFIGURE_DEPENDS render/*_cairo.cpp settings/*_linux.cpp host/*_linux.cpp)
add_library(tarnwick_cairo STATIC ${TARNWICK_CAIRO_SOURCES})
target_link_libraries(tarnwick_cairo PUBLIC tarnwick_logic PkgConfig::TARNWICK_CAIRO PRIVATE date::date-tz)
# A gliding needle's rows are laid thirty times a second: these loops are worth the larger code.
set_source_files_properties(render/row_painter_cairo.cpp render/polygon_coverage.cpp
                            PROPERTIES COMPILE_OPTIONS "$<$<CONFIG:Release,RelWithDebInfo>:-O3>")

file(GLOB TARNWICK_X11_SOURCES CONFIGURE_DEPENDS host/x11/*_x11.cpp)
# The monitors come from RandR 1.5, else Xinerama: tarnwick alone links them.
pkg_check_modules(TARNWICK_MONITORS REQUIRED IMPORTED_TARGET xrandr xinerama)
add_executable(tarnwick ${TARNWICK_X11_SOURCES})
target_link_libraries(tarnwick PRIVATE tarnwick_cairo PkgConfig::TARNWICK_MONITORS)

# tarnwick-wayland: the clock over a Wayland desktop as layer-shell surfaces, on plain
# libwayland-client with Cairo image surfaces over wl_shm buffers. The protocol code comes from
# wayland-scanner at build time: the wlr protocols from our own XML (Debian ships none), the rest
# from wayland-protocols (xdg-shell only for the popup type the layer shell names).
pkg_check_modules(TARNWICK_WAYLAND IMPORTED_TARGET wayland-client)
pkg_get_variable(TARNWICK_WAYLAND_PROTOCOLS wayland-protocols pkgdatadir)
find_program(TARNWICK_WAYLAND_SCANNER wayland-scanner)
set(wayland_protocols_dir ${TARNWICK_WAYLAND_PROTOCOLS})
set(TARNWICK_WAYLAND_XML
  ${CMAKE_SOURCE_DIR}/host/wayland/protocols/wlr-layer-shell-unstable-v1.xml
  ${CMAKE_SOURCE_DIR}/host/wayland/protocols/wlr-output-power-management-unstable-v1.xml
  ${wayland_protocols_dir}/unstable/xdg-output/xdg-output-unstable-v1.xml
  ${wayland_protocols_dir}/stable/viewporter/viewporter.xml
  ${wayland_protocols_dir}/stable/xdg-shell/xdg-shell.xml
  ${wayland_protocols_dir}/staging/fractional-scale/fractional-scale-v1.xml)
if(TARNWICK_WAYLAND_FOUND AND TARNWICK_WAYLAND_PROTOCOLS AND TARNWICK_WAYLAND_SCANNER
   AND EXISTS ${wayland_protocols_dir}/staging/fractional-scale/fractional-scale-v1.xml)
  set(wayland_protocol_code)
  foreach(xml IN LISTS TARNWICK_WAYLAND_XML)
    get_filename_component(protocol ${xml} NAME_WE)
    set(code ${CMAKE_BINARY_DIR}/generated/${protocol})
    add_custom_command(OUTPUT ${code}-client-protocol.h ${code}-protocol.c
      COMMAND ${TARNWICK_WAYLAND_SCANNER} client-header ${xml} ${code}-client-protocol.h
      COMMAND ${TARNWICK_WAYLAND_SCANNER} private-code ${xml} ${code}-protocol.c
      DEPENDS ${xml})
    list(APPEND wayland_protocol_code ${code}-client-protocol.h ${code}-protocol.c)
  endforeach()
  file(GLOB TARNWICK_WAYLAND_SOURCES CONFIGURE_DEPENDS host/wayland/*_wayland.cpp)
  add_executable(tarnwick-wayland ${TARNWICK_WAYLAND_SOURCES} ${wayland_protocol_code})
  target_link_libraries(tarnwick-wayland PRIVATE tarnwick_cairo PkgConfig::TARNWICK_WAYLAND)
  # The Cairo library target carries the X11 libraries of `tarnwick`: only what this program
  # calls is linked, so its package needs libwayland-client, Cairo and Pango alone.
  target_link_options(tarnwick-wayland PRIVATE -Wl,--as-needed)
  install(TARGETS tarnwick-wayland RUNTIME DESTINATION bin COMPONENT wayland)
  add_custom_command(OUTPUT tarnwick-wayland.1.gz
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/linux/tarnwick-wayland.1 > tarnwick-wayland.1.gz
    DEPENDS packaging/linux/tarnwick-wayland.1)
  add_custom_target(tarnwick_wayland_manual ALL DEPENDS tarnwick-wayland.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/tarnwick-wayland.1.gz DESTINATION share/man/man1 COMPONENT wayland)
  set(TARNWICK_DEB_COMPONENTS xscreensaver wayland)
  set(TARNWICK_DEB_TARGETS tarnwick-wayland tarnwick_wayland_manual)
else()
  message(STATUS "tarnwick-wayland not built: libwayland-client, wayland-scanner or wayland-protocols (with fractional-scale) is missing")
  set(TARNWICK_DEB_COMPONENTS xscreensaver)
endif()

# Tools: tools/<name>_tool_cairo.cpp becomes tarnwick-<name>, as the Windows tools do.
file(GLOB TARNWICK_LINUX_TOOLS CONFIGURE_DEPENDS tools/*_tool_cairo.cpp)
foreach(tool_source IN LISTS TARNWICK_LINUX_TOOLS)
  get_filename_component(tool_name ${tool_source} NAME)
  string(REGEX REPLACE "_tool_cairo\\.cpp$" "" tool_name ${tool_name})
  add_executable(tarnwick-${tool_name} ${tool_source})
  target_link_libraries(tarnwick-${tool_name} PRIVATE tarnwick_cairo)
endforeach()

# Native pixel checks of the Cairo renderer, and the X11 program under the real XScreenSaver.
# Fontconfig and Pango keep caches for the life of the process, which the leak checker reports
# as leaks: these tests run in the plain native build only.
if(NOT TARNWICK_SANITIZE)
  file(GLOB TARNWICK_LINUX_TESTS CONFIGURE_DEPENDS tests/linux/*_test.cpp)
  add_executable(linux_tests ${TARNWICK_LINUX_TESTS})
  target_link_libraries(linux_tests PRIVATE tarnwick_cairo GTest::gtest GTest::gtest_main)
  gtest_discover_tests(linux_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS linux)
  file(GLOB TARNWICK_LINUX_SCRIPTS CONFIGURE_DEPENDS tests/linux/*.sh)
  list(FILTER TARNWICK_LINUX_SCRIPTS EXCLUDE REGEX "_lib\\.sh$")
  foreach(script IN LISTS TARNWICK_LINUX_SCRIPTS)
    get_filename_component(script_name ${script} NAME_WE)
    add_test(NAME linux.${script_name} COMMAND bash ${script})
    set_tests_properties(linux.${script_name} PROPERTIES LABELS linux TIMEOUT 300
      ENVIRONMENT "TARNWICK_BUILD=${CMAKE_BINARY_DIR};TARNWICK_SOURCE=${CMAKE_SOURCE_DIR}")
  endforeach()
endif()

# Installed as an XScreenSaver display mode: the program where the daemon looks for its modes,
# its settings description for xscreensaver-settings, and its manual page.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME xscreensaver)
install(TARGETS tarnwick RUNTIME DESTINATION libexec/xscreensaver)
install(FILES packaging/linux/tarnwick.xml DESTINATION share/xscreensaver/config)
# Debian keeps manual pages compressed.
add_custom_command(OUTPUT tarnwick.6.gz
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/linux/tarnwick.6 > tarnwick.6.gz
  DEPENDS packaging/linux/tarnwick.6)
add_custom_target(tarnwick_manual ALL DEPENDS tarnwick.6.gz)
install(FILES ${CMAKE_BINARY_DIR}/tarnwick.6.gz DESTINATION share/man/man6)

# Each Debian package carries the licence, as a machine-readable copyright file (the text
# indented, its blank lines written " ."), and the changelog, both compressed as Debian keeps them.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE license_text)
string(STRIP "${license_text}" license_text)
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REGEX REPLACE "\n" "\n " TARNWICK_LICENSE_TEXT " ${license_text}")
configure_file(packaging/linux/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
configure_file(packaging/linux/changelog.in ${CMAKE_BINARY_DIR}/changelog.Debian @ONLY)
add_custom_command(OUTPUT changelog.Debian.gz
  COMMAND gzip -9 -n -c changelog.Debian > changelog.Debian.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog.Debian)
add_custom_target(tarnwick_changelog ALL DEPENDS changelog.Debian.gz)

# One `cpack -G DEB` makes a package per component: tarnwick (the XScreenSaver mode) and, where it
# is built, tarnwick-wayland, so that neither pulls in the other's libraries.
set(CPACK_DEBIAN_XSCREENSAVER_PACKAGE_NAME tarnwick)
set(CPACK_DEBIAN_WAYLAND_PACKAGE_NAME tarnwick-wayland)
foreach(component IN LISTS TARNWICK_DEB_COMPONENTS)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES ${CMAKE_BINARY_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.Debian.gz
    DESTINATION share/doc/${package} COMPONENT ${component})
  # Made outside the Debian archive: there is no ITP bug for the first changelog entry to close.
  file(WRITE ${CMAKE_BINARY_DIR}/lintian/${package} "${package}: initial-upload-closes-no-bugs\n")
  install(FILES ${CMAKE_BINARY_DIR}/lintian/${package} DESTINATION share/lintian/overrides COMPONENT ${component})
endforeach()

# What the packages hold, so that scripts/package builds that alone (it also sets
# CMAKE_SKIP_INSTALL_ALL_DEPENDENCY: cpack then installs without building everything first).
add_custom_target(tarnwick_deb_files)
add_dependencies(tarnwick_deb_files tarnwick tarnwick_manual tarnwick_changelog ${TARNWICK_DEB_TARGETS})

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${TARNWICK_DEB_COMPONENTS})
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The first Debian revision of each version: the packages are not Debian-native, so their
# changelog is changelog.Debian.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_CONTACT "Brevant <tarnwick@brevant.example>")
set(CPACK_PACKAGE_VENDOR Brevant)
set(CPACK_DEBIAN_PACKAGE_SOURCE tarnwick)
set(CPACK_DEBIAN_XSCREENSAVER_DESCRIPTION "analog wall clock display mode for XScreenSaver\nTarnwick shows one large analog wall clock on a white screen, with a\nshaded bezel, numerals, today's date or a short text, and a seconds hand.\nIt runs as an XScreenSaver display mode or in a window of its own.")
set(CPACK_DEBIAN_WAYLAND_DESCRIPTION "analog wall clock screen saver for Wayland desktops\nTarnwick shows one large analog wall clock on a white screen, with a\nshaded bezel, numerals, today's date or a short text, and a seconds hand.\nThis program covers every output of a Wayland compositor with the layer\nshell (sway, Hyprland, KDE Plasma) until a key, a click or a pointer move.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_XSCREENSAVER_PACKAGE_RECOMMENDS "xscreensaver | xsecurelock, fonts-dejavu-core")
set(CPACK_DEBIAN_WAYLAND_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_WAYLAND_PACKAGE_SUGGESTS "swayidle")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARNWICK_HOME_PAGE})
include(CPack)
