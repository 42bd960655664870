# Install layout and the Debian package.
#   bin/camtivo, bin/camtivo-cli, bin/camtivo-camsim
#   share/camtivo/        the shipped language packs (LanguagePack.cmake) and License.rtf (the program looks there when
#                         they are not beside it: ../share/camtivo relative to bin/)
#   share/applications/   the desktop entry; share/icons/hicolor/scalable/apps/ its icon
#   share/metainfo/       the AppStream description
#   manual pages, bash completion, copyright and changelog: DebianExtras.cmake
# "cpack -G DEB" in the build folder makes camtivo_<version>_<arch>.deb; the dependencies are
# computed from the programs' shared libraries (dpkg-shlibdeps).
include(GNUInstallDirs)

set(CAMTIVO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/camtivo)
set(CAMTIVO_APP_ID com.example.Camtivo)

install(TARGETS camtivo camtivo-cli camtivo-camsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/desktop/camtivo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/camtivo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/desktop/${CAMTIVO_APP_ID}.metainfo.xml
               ${PROJECT_BINARY_DIR}/desktop/${CAMTIVO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${CAMTIVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence text sits beside the program in the build, as the packs do.
configure_file(${PROJECT_SOURCE_DIR}/demo/License.rtf ${PROJECT_BINARY_DIR}/src/app/License.rtf COPYONLY)
install(FILES ${PROJECT_SOURCE_DIR}/demo/License.rtf DESTINATION ${CAMTIVO_DATA_DIR})

set(CPACK_PACKAGE_NAME camtivo)
set(CPACK_PACKAGE_VENDOR "The Camtivo developers")
set(CPACK_PACKAGE_CONTACT "The Camtivo developers <camtivo@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Wizard that finds network cameras and sets them up")
# Debian's lines are at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Camtivo finds the network cameras on the local network, lets the user log in\n\
to one and writes the camera's name, description, clock and network address\n\
back to it. camtivo-cli does the same from a shell.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY camtivo)
if(NOT WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/DebianExtras.cmake)
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/camtivo/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not name: Qt's window-system plugins (loaded at run time) and the
# font the language packs ask for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)
