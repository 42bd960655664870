# The Windows setup program and its portable copy: "cpack" in the Windows build folder makes
# camtivo-<version>-win64.exe, a 64-bit NSIS installer, and camtivo-<version>-win64.zip, the same
# files in one folder of that name that runs wherever it is unpacked. It installs into Program Files\Camtivo:
#   camtivo.exe, camtivo-cli.exe, camtivo-camsim.exe, the language packs, License.rtf,
#   Qt's and the compiler's runtime DLLs, platforms\ and imageformats\ plugins, fonts\ (DejaVu Sans
#   and its licence) and Uninstall.exe;
# a Start-menu entry for the wizard, and the uninstaller registered with Windows. "/S" installs
# (and the uninstaller removes) silently.
install(TARGETS camtivo camtivo-cli camtivo-camsim RUNTIME DESTINATION .)
foreach(pack ${CAMTIVO_SHIPPED_PACKS})
  install(FILES ${PROJECT_BINARY_DIR}/src/app/${pack}.dll DESTINATION .)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/demo/License.rtf ${CAMTIVO_QT_DLLS} ${CAMTIVO_RUNTIME_DLLS} DESTINATION .)
install(FILES ${CAMTIVO_QT_PLUGINS}/platforms/qwindows.dll ${CAMTIVO_QT_PLUGINS}/platforms/qoffscreen.dll
        DESTINATION platforms)
install(FILES ${CAMTIVO_QT_PLUGINS}/imageformats/qico.dll DESTINATION imageformats)
install(FILES ${CAMTIVO_FONT_FILES} DESTINATION fonts)
install(FILES ${CAMTIVO_FONT_LICENCE} DESTINATION fonts RENAME LICENSE-DejaVu.txt)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME camtivo)
set(CPACK_PACKAGE_VENDOR "The Camtivo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Wizard that finds network cameras and sets them up")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Camtivo)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Camtivo)
set(CPACK_PACKAGE_FILE_NAME camtivo-${PROJECT_VERSION}-win64)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/demo/License.rtf)
set(CPACK_STRIP_FILES ON)
# NSIS's 64-bit stubs: a 32-bit installer would need the 32-bit half of wine, and would install
# into the 32-bit Program Files.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Camtivo)
set(CPACK_NSIS_DISPLAY_NAME Camtivo)
set(CPACK_NSIS_MUI_ICON ${CAMTIVO_ICON})
set(CPACK_NSIS_MUI_UNIICON ${CAMTIVO_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME camtivo.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# CPack's script runs the old uninstaller in place ("_?=" keeps it from copying itself away), and
# an uninstaller cannot delete the file it runs from: the old folder kept Uninstall.exe. Our
# copy of the script removes it and the folder, when empty, once the uninstaller has returned.
set(nsis_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${nsis_template} nsis_script)
set(uninstall_returned "  IfErrors uninst_failed inst\n")
string(FIND "${nsis_script}" "${uninstall_returned}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${nsis_template}: the old uninstaller's run is not where it was")
endif()
string(REPLACE "${uninstall_returned}" "  IfErrors uninst_failed\n  Delete \"$3\\@CPACK_NSIS_UNINSTALL_NAME@.exe\"\n  RMDir \"$3\"\n  Goto inst\n"
       nsis_script "${nsis_script}")
file(WRITE ${PROJECT_BINARY_DIR}/nsis/NSIS.template.in "${nsis_script}")
list(APPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/nsis)
# The uninstaller removes our key under the vendor's and then the vendor's, when nothing else
# of theirs is left in it; CPack's own script leaves the vendor's key behind, empty.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
set(CPACK_PACKAGE_EXECUTABLES camtivo Camtivo)
# The programs sit at the top of the install folder, not in bin\ where the Start-menu entry
# would otherwise point.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# The values reach CPack as written here, quotes and backslashes included.
set(CPACK_VERBATIM_VARIABLES ON)
# "cpack" installs only what it packs, without building the test suites first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
