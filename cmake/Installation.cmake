# Where `cmake --install` puts the program for a Linux desktop, and the .deb CPack makes
# of it (`cpack -G DEB` in the build folder). Components: "programme" (the executables),
# "donnees" (samples, guide, desktop entry, icon, document type).
include(GNUInstallDirs)

install(TARGETS brivane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programme)
if(TARGET brivane)
  install(TARGETS brivane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programme)
endif()

# The guide and the language files are looked for next to the program, then here
# (app/Guide.h): the same relative path from bin/ in every prefix.
set(BRIVANE_INSTALL_SHARE ${CMAKE_INSTALL_DATADIR}/brivane)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/guide/ DESTINATION ${BRIVANE_INSTALL_SHARE}/Doc COMPONENT donnees)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/ DESTINATION ${BRIVANE_INSTALL_SHARE}/samples COMPONENT donnees
        FILES_MATCHING PATTERN "*.kvb")
file(GLOB _langues CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/lang_*.dat)
if(_langues)
  install(FILES ${_langues} DESTINATION ${BRIVANE_INSTALL_SHARE} COMPONENT donnees)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/brivane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT donnees)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icones/brivane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT donnees)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icones/brivane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
        RENAME application-x-brivane.svg COMPONENT donnees)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/brivane-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME brivane.xml COMPONENT donnees)

# --- .deb ---------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brivane)
set(CPACK_PACKAGE_VENDOR Brivane)
set(CPACK_PACKAGE_CONTACT "Brivane <brivane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAD program for naval architecture")
set(CPACK_PACKAGE_DESCRIPTION "Shapes a boat (hull, deck, keel, rudder, sails) as NURBS surfaces by moving \
control points, and gives its lines plan and table of offsets, hydrostatics, stability curves, weight \
estimate and exports. Includes the command-line program brivane-cli, sample designs and the user's guide.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries come from the executables' links; Qt's platform plug-ins are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET brivane)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, shared-mime-info, desktop-file-utils")
# The desktop menu, the icon cache and the document type are refreshed by the
# triggers of the packages that own those folders: no maintainer script needed.
include(CPack)
