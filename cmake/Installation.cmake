# Where `cmake --install` puts the program for a Linux desktop, and the .deb CPack makes
# of it (`cpack -G DEB` in the build folder). Components: "programme" (the executables),
# "donnees" (samples, guide, desktop entry, icon, document type).
include(GNUInstallDirs)

install(TARGETS brivane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programme)
if(TARGET brivane)
  install(TARGETS brivane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programme)
endif()
# Relocations resolved at start and then read-only, as Debian links its programs.
foreach(programme brivane brivane-cli)
  if(TARGET ${programme})
    target_link_options(${programme} PRIVATE -Wl,-z,relro -Wl,-z,now)
  endif()
endforeach()

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

# What a distribution's tools ask of a package: the software centres' description, the
# manual pages, the copyright and the changelog (Debian wants the last two gzipped -9n,
# the manual pages gzipped too).
set(BRIVANE_SITE "https://brivane.org" CACHE STRING "The project's web address (metadata, screenshots)")
set(BRIVANE_MAINTAINER "Brivane developers <packaging@brivane.org>" CACHE STRING "The package's maintainer")
configure_file(${CMAKE_SOURCE_DIR}/packaging/brivane.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/paquet/org.brivane.brivane.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/paquet/org.brivane.brivane.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT donnees)
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(f man/brivane.1 man/brivane-cli.1 changelog)
  get_filename_component(nom ${f} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/paquet/${nom}.gz
                     COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/packaging/${f} > ${CMAKE_BINARY_DIR}/paquet/${nom}.gz
                     DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${f} VERBATIM)
  list(APPEND BRIVANE_PAQUET_GZ ${CMAKE_BINARY_DIR}/paquet/${nom}.gz)
endforeach()
add_custom_target(paquet_gz ALL DEPENDS ${BRIVANE_PAQUET_GZ})
install(FILES ${CMAKE_BINARY_DIR}/paquet/brivane.1.gz ${CMAKE_BINARY_DIR}/paquet/brivane-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT donnees)
install(FILES ${CMAKE_BINARY_DIR}/paquet/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brivane COMPONENT donnees)

# --- .deb ---------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brivane)
set(CPACK_PACKAGE_VENDOR Brivane)
set(CPACK_PACKAGE_CONTACT "${BRIVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAD program for naval architecture")
# Lines of at most 80 characters: CPack indents each one in the control file.
set(CPACK_PACKAGE_DESCRIPTION "Shapes a boat (hull, deck, keel, rudder, sails) as NURBS surfaces by
moving control points in four flat views and a shaded 3D studio, and gives its
lines plan and table of offsets, hydrostatics, stability and cross curves, the
floating position at its weights, a weight estimate, the sail plan, flat
developments and exports (DXF, IGES, text, STL, OBJ).
Includes the command-line program brivane-cli, sample designs and the user's
guide, in French and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries come from the executables' links; Qt's platform plug-ins are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET brivane)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
# Qt's own dialogs (file, colour, print) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, shared-mime-info, desktop-file-utils")
# The desktop menu, the icon cache and the document type are refreshed by the
# triggers of the packages that own those folders: no maintainer script needed.
include(CPack)
