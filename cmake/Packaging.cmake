# The Debian package: `cpack -G DEB` in a build folder makes quillmark_VERSION_ARCH.deb from
# the install rules of cmake/Install.cmake (scripts/package does it for a Release build).
set(CPACK_PACKAGE_NAME ${QM_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillmark developers")
set(QM_PACKAGE_CONTACT "Quillmark developers <quillmark@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${QM_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration utility for thermal label printers")
# The long description: lines of at most 79 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmark reads the menu settings of a thermal label printer, lets an
operator edit them on tab pages and sends a configuration back, over a CUPS
print queue, a serial, parallel or USB printer port, or TCP/IP. It saves and
loads settings files, starts the media-sensor calibration and test prints,
and shows the printer's status and counters, for 38 printer models, in
English, Japanese, Simplified Chinese and Korean.

The package holds the Qt window (quillmark), a command-line program over the
same code (quillmark-cli) and a printer simulator to try both without a
printer (quillmark-printer-sim).")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_NAME ${QM_PACKAGE_NAME})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt, CUPS, the C++ runtime) are found by dpkg-shlibdeps. Qt's
# platform plug-ins (X11, offscreen, ...) are loaded at run time, so their package is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's layouts hold in Liberation Sans (Arial's widths), so its font is a dependency.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Japanese, Chinese and Korean are drawn in the Noto CJK faces; Qt's own buttons and file
# dialogs speak those languages with the distribution's translations of Qt.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")

include(CPack)
