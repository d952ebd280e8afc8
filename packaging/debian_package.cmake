# The Debian package: "cpack -G DEB" in the build tree writes kelvorad_<version>_amd64.deb from
# the install rules, into /usr. dpkg-shlibdeps (Debian: dpkg-dev) computes the libraries it
# needs; gnuplot draws the graphs and xdg-utils opens the manual, workbooks and graph
# templates in the desktop's programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvorad)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kelvorad authors")
set(CPACK_PACKAGE_CONTACT "The Kelvorad authors <kelvorad@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "magnetite-ilmenite geothermometer and oxygen barometer")
# The long description; the control file puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kelvorad estimates the temperature and oxygen fugacity at which coexisting
magnetite and ilmenite equilibrated, from their microprobe analyses. It
recalculates structural formulae with ferric-iron estimation, computes
end-member fractions, applies the published Fe-Ti oxide geothermometers and
oxygen barometers, tests each pair for equilibrium, and sends its results to a
workbook and to gnuplot graphs.
.
It runs as a desktop program (kelvorad) and from the command line
(kelvorad calc, kelvorad plot).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libqt6svg6 holds the Qt plugins that draw the toolbar icons (SVG files): no library links it,
# so dpkg-shlibdeps cannot find it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gnuplot-nox | gnuplot-qt | gnuplot-x11, xdg-utils, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS gnuplot-qt)
include(CPack)
