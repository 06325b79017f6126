# The Debian package: `cpack -G DEB` in the build folder (scripts/package) packs what
# Install.cmake installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME calorant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Calorant developers <developers@calorant.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop companion of a five-channel temperature meter")
set(CPACK_PACKAGE_DESCRIPTION
    "Calorant mirrors a handheld meter with four thermocouple inputs and an
infrared sensor, connected through a CP210x USB serial bridge: a panel whose
keys work the instrument, live recording into a zoomable graph, .graph and
CSV files, the download of the meter's logger memory and printed reports.
The package also holds calorant-cli, the same on the command line, and
calorant-meter-sim, an emulator of the meter.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://calorant.org/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries' packages come from the binaries (dpkg-shlibdeps). Qt loads the
# platform plugins for X11 and Wayland at run time, so no library names them; the
# dialogs are laid out for the metrics of Arial, which Liberation Sans serves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# The desktop, MIME, icon and manual caches are brought up to date by the triggers of
# their own packages; the udev rule is read by udev when the meter is next plugged in.
# So the package needs no maintainer scripts.

include(CPack)
