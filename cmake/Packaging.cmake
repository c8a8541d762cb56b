# A Debian package of the installed tree: `cpack -G DEB` in the build folder
# writes ondal_<version>_<arch>.deb.

set(CPACK_PACKAGE_NAME ondal)
set(CPACK_PACKAGE_VENDOR "Ondal developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Ondal works out the height of the tide at a standard port at a required time, and the depth of water over a charted sounding, by the standard-port method. The heights and times of high and low water from a tide table are typed into one worksheet window laid out as numbered steps: range, duration, interval, height above low water, height above chart datum and depth of water, or the height of tide by simple proportion.")
set(CPACK_PACKAGE_CONTACT "Ondal developers <ondal@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ondal developers <ondal@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/ondal/")
# dpkg-shlibdeps adds the libraries the programs link; the Qt 6 runtime is
# named as well, since libqt6gui6 also brings the X11 (xcb) platform plugin
# that the window needs and that no program links directly.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2)")

include(CPack)
