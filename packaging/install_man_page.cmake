# Install step of the manual page (install(SCRIPT)): the page names the data folder where
# this install puts it. Needs KELVORAD_MAN_PAGE (the built page) and KELVORAD_INSTALL_DATA_DIR.
file(READ "${KELVORAD_MAN_PAGE}" page)
string(REPLACE KELVORADDATAFOLDER "${CMAKE_INSTALL_PREFIX}/${KELVORAD_INSTALL_DATA_DIR}" page
  "${page}")
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/man/man1/kelvorad.1")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${page}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
