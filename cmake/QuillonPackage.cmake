# The Debian package: `cpack --preset package` after building the "package"
# preset (or `cpack --config <build>/CPackConfig.cmake` for any build).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon-gaming)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillon")
set(CPACK_PACKAGE_CONTACT "Quillon Gaming Software maintainers <maintainers@quillon.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration program for Quillon gaming peripherals")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Configures the Quillon RGB, one-colour and membrane keyboards, the three Quillon mouse\n"
       "models and the lighted mousepad: lighting effects streamed from the desktop, key and\n"
       "button assignment, macros, DPI stages, report rate, lift-off and profiles. Lives in the\n"
       "tray, and quillonctl does the same from the command line. A udev rule lets the user at\n"
       "the seat open the devices.")
# Debian packages live under /usr whatever prefix the build was configured
# with; the programs find their files relative to where they are installed.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILLON_HOMEPAGE_URL})
# The libraries the binaries link, as dpkg-shlibdeps finds them (the X11 and
# offscreen platform plugins come with libqt6gui6), plus the SVG plugins the
# skin's icons are drawn with, which are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/cmake/debian/postinst ${PROJECT_SOURCE_DIR}/cmake/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
