# A Debian package of the installed tree: `cpack -G DEB` in the build folder
# writes ondal_<version>_<arch>.deb. Configure that build with
# -DCMAKE_INSTALL_PREFIX=/usr: the programs carry the paths of their install
# (the machine registry file under /etc, the ondal-sysinfo it names), so the
# package installs where the build was told it would be.

set(CPACK_PACKAGE_NAME ondal)
set(CPACK_PACKAGE_VENDOR "Ondal developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Ondal works out the height of the tide at a standard port at a required time, and the depth of water over a charted sounding, by the standard-port method. The heights and times of high and low water from a tide table are typed into one worksheet window laid out as numbered steps: range, duration, interval, height above low water, height above chart datum and depth of water, or the height of tide by simple proportion.")
set(CPACK_PACKAGE_CONTACT "Ondal developers <ondal@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    message(STATUS "A .deb made from this build installs under ${CMAKE_INSTALL_PREFIX}; "
        "configure with -DCMAKE_INSTALL_PREFIX=/usr for a package in the system's own place.")
endif()
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ondal developers <ondal@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/ondal/")
# The Depends line is worked out from the programs by dpkg-shlibdeps: each
# library they link (the Qt 6 runtime, libc, libstdc++) once, with the
# version the build saw. libqt6gui6, which every window links, brings the
# X11 (xcb) platform plugin with it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Files under /etc are the administrator's: dpkg keeps local changes to them
# across upgrades and removal. The machine registry file is the one Ondal has.
if(CMAKE_INSTALL_FULL_SYSCONFDIR STREQUAL "/etc")
    file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "/etc/ondal/registry.reg\n")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
endif()

include(CPack)
