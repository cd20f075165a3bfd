# COMTEST_PACKAGE adds what the Debian package holds beyond `cmake --install`
# (the manual page made from --help, the changelog, the copyright and the
# lintian overrides) and the CPack settings of the package
# comtest_<version>_<arch>.deb. scripts/package.sh builds it.
option(COMTEST_PACKAGE "Build the manual page and configure the Debian package" OFF)
if(NOT COMTEST_PACKAGE)
    return()
endif()

include(GNUInstallDirs)
set(pkg_dir ${PROJECT_SOURCE_DIR}/packaging)
set(pkg_out ${PROJECT_BINARY_DIR}/packaging)

# The changelog's newest entry and the AppStream release list must name the
# version being built.
file(STRINGS ${pkg_dir}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^comtest \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not begin with version ${PROJECT_VERSION}")
endif()
file(READ ${PROJECT_SOURCE_DIR}/src/app/resources/comtest.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "comtest.metainfo.xml lists no release ${PROJECT_VERSION}")
endif()

find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# Debian wants documentation compressed with gzip -9n (no name, no time stamp,
# so the package is reproducible).
add_custom_command(
    OUTPUT ${pkg_out}/comtest.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_out}
    COMMAND ${HELP2MAN} --no-info --name "test a serial (RS-232) line"
            --output ${pkg_out}/comtest.1 $<TARGET_FILE:comtest>
    COMMAND ${GZIP} -9nf ${pkg_out}/comtest.1
    DEPENDS comtest
    COMMENT "Generating the manual page from comtest --help"
    VERBATIM)
add_custom_command(
    OUTPUT ${pkg_out}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_out}
    COMMAND ${CMAKE_COMMAND} -E copy ${pkg_dir}/changelog ${pkg_out}/changelog
    COMMAND ${GZIP} -9nf ${pkg_out}/changelog
    DEPENDS ${pkg_dir}/changelog
    VERBATIM)
add_custom_target(package_docs ALL DEPENDS ${pkg_out}/comtest.1.gz ${pkg_out}/changelog.gz)

install(FILES ${pkg_out}/comtest.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pkg_out}/changelog.gz ${pkg_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME comtest)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT
    "comtest maintainers <maintainers@users.noreply.c-seed-32e9ba58.example>")
# The control file's description: the summary line, then the long text in
# lines of at most 80 columns (CPack indents them; an empty line becomes " .").
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "serial (RS-232) line tester with a simple terminal\n"
    "comtest tests a serial line in one window: pick a port (Com1 to Com9), a\n"
    "baud rate from 300 to 19200, a parity, 7 or 8 data bits and 1 or 2 stop\n"
    "bits, then start the test. Every byte that arrives is shown in the pane,\n"
    "control bytes as their code in square brackets, so a carriage return and\n"
    "line feed show as [13][10]; every key pressed in the pane is sent to the\n"
    "port.\n"
    "\n"
    "Ports map to any device on the command line (--port Com1=/dev/ttyUSB0) or\n"
    "through the environment, and a built-in loopback line lets the program be\n"
    "tried without any hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://comtest.example/")
# The libraries come from the binary (dpkg-shlibdeps); the fonts because the
# window's layout was made for these metric-compatible faces.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
