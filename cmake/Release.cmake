# What a release names its version in besides project(): the newest entry of
# debian/changelog, the release list of the AppStream metadata and the manual
# page's title line. A version bumped in one place and not the others stops
# the configure step.
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^comtest \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "debian/changelog does not begin with version ${PROJECT_VERSION}")
endif()
file(READ ${PROJECT_SOURCE_DIR}/src/app/resources/comtest.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "comtest.metainfo.xml lists no release ${PROJECT_VERSION}")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/docs/comtest.1 manual_title REGEX "^\\.TH ")
if(NOT manual_title MATCHES "\"comtest ${PROJECT_VERSION}\"")
    message(FATAL_ERROR "docs/comtest.1 does not name version ${PROJECT_VERSION} in its .TH line")
endif()

include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/docs/comtest.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
