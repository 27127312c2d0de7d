# Installs the planner as a desktop program: binary, menu entry, icon and
# metainfo for software centres.
include(GNUInstallDirs)

set(PLAVET_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
install(TARGETS plavet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PLAVET_DATA_DIR}/${PLAVET_DESKTOP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

