# Installs the planner as a desktop program (binary, menu entry, icon, the
# file type of plavets and metainfo for software centres) and packs the same
# files as a .deb.
include(GNUInstallDirs)

set(PLAVET_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
install(TARGETS plavet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The .plavet file type, so that a file manager opens plavets with the program.
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${PLAVET_DESKTOP_ID}.xml)

# `cpack` in the build folder makes plavet_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plavet)
set(CPACK_PACKAGE_VENDOR PlavetProgram)
set(CPACK_PACKAGE_CONTACT "PlavetProgram developers <plavet@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planner for the element points of a mud character")
set(CPACK_PACKAGE_DESCRIPTION
    "Pick a race and two classes, start a plavet, spend element points with\n\
the arrow buttons, watch the D values follow, add clan-town bonuses,\n\
multi-class once and list the skills your values qualify for.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from dpkg-shlibdeps; these are loaded at run time or
# needed for the look: the platform plugins that open a window, the SVG icon
# engine for the window icon, and the font the fixed layout was drawn for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-liberation2")
include(CPack)
