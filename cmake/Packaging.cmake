# The Debian package: `cpack -G DEB` in a build folder makes larkspan_<version>_<arch>.deb from
# the install rules (scripts/package does it from a Release build of its own). Files install
# under /usr whatever CMAKE_INSTALL_PREFIX says; the program finds its data folder from where
# its binary lies, so a package made from a /usr/local build works as well.

set(LARKSPAN_PACKAGE_MAINTAINER "The Larkspan developers <larkspan@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")
set(LARKSPAN_HOMEPAGE "" CACHE STRING
    "The project's web address, for the package's Homepage field (empty: none)")

# Directories the install creates get 0755 whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# What Debian wants beside the program: a manual page, a copyright file and a changelog.
# `cmake --install` installs them too, where they do no harm. The compressed files are made
# reproducibly (no name, no time stamp in them).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(LARKSPAN_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
function(larkspan_gzip input output)
    add_custom_command(OUTPUT ${output} COMMAND ${GZIP_PROGRAM} -9nc ${input} > ${output}
                       DEPENDS ${input} VERBATIM)
endfunction()

# The changelog's entry is dated with the release's date in the metainfo, so that the package
# does not change with every configure.
file(READ ${CMAKE_SOURCE_DIR}/data/org.larkspan.Larkspan.metainfo.xml _metainfo)
if(_metainfo MATCHES "<release version=\"${PROJECT_VERSION}\" date=\"([0-9-]+)\"")
    execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_1} 12:00:00"
                    OUTPUT_VARIABLE LARKSPAN_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
    message(WARNING "The metainfo names no release ${PROJECT_VERSION}: "
                    "the package's changelog gets today's date")
    string(TIMESTAMP LARKSPAN_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${LARKSPAN_PACKAGING_DIR}/changelog
               @ONLY)
larkspan_gzip(${LARKSPAN_PACKAGING_DIR}/changelog ${LARKSPAN_PACKAGING_DIR}/changelog.gz)
larkspan_gzip(${CMAKE_SOURCE_DIR}/data/larkspan.1 ${LARKSPAN_PACKAGING_DIR}/larkspan.1.gz)
add_custom_target(larkspan_packaging_files ALL
                  DEPENDS ${LARKSPAN_PACKAGING_DIR}/changelog.gz ${LARKSPAN_PACKAGING_DIR}/larkspan.1.gz)

install(FILES ${LARKSPAN_PACKAGING_DIR}/larkspan.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright ${LARKSPAN_PACKAGING_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/larkspan)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME larkspan)
set(CPACK_PACKAGE_VENDOR "The Larkspan developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${LARKSPAN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "web browser with a popup blocker, favorites and password locks")
# Debian's long description: paragraphs of text; CPack indents the lines and marks the empty ones.
set(CPACK_PACKAGE_DESCRIPTION
    "Larkspan is a small, classic desktop web browser. Pages are shown by the
system's web engine, WebKitGTK; around it Larkspan puts its own menus, toolbar,
address box with completion, search box, status bar and progress bar.

It adds a popup blocker with four modes, a count of blocked popups and a log;
favorites kept as one small file each, with a menu, an organizer and an
importer; password locks on features; colour, font and button schemes for its
windows; auto-refresh, a notification-area icon, mail shortcuts and an update
check.")
if(LARKSPAN_HOMEPAGE)
    set(CPACK_PACKAGE_HOMEPAGE_URL "${LARKSPAN_HOMEPAGE}")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binary links come from dpkg-shlibdeps; the web engine's sandbox runs its
# processes through these two programs, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "bubblewrap, xdg-dbus-proxy")
# The spell checker of the pages' text fields finds its dictionaries through enchant, and
# content blocking compiles the ad and tracker lists Debian keeps up to date.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us, webext-ublock-origin-chromium")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
find_program(DPKG_PROGRAM dpkg)
if(DPKG_PROGRAM)
    execute_process(COMMAND ${DPKG_PROGRAM} --print-architecture
                    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()

include(CPack)
