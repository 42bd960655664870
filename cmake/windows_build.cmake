# The Windows build's own pieces, cross-built on Linux (see scripts/windows-build.sh):
#  - camtivo.exe is a windows-subsystem program with the program icon (128) and a version record;
#  - the language packs, the program icon and the review tool come from a Linux build of the same
#    tree (CAMTIVO_HOST_BUILD), since the pack tool runs on the build machine;
#  - DejaVu Sans (with its licence) is shipped in fonts/ beside the programs and the Qt tests,
#    since Windows does not have the program's face;
#  - the folder of every program also gets Qt's and the compiler's runtime DLLs and Qt's plugins,
#    so the build tree runs as it is installed.
set(CAMTIVO_HOST_BUILD "" CACHE PATH "A Linux build of this tree (language packs, pack tool)")
if(NOT EXISTS ${CAMTIVO_HOST_BUILD}/packs/camtivo-packtool)
  message(FATAL_ERROR "CAMTIVO_HOST_BUILD must name a Linux build with its packs built")
endif()

set(CAMTIVO_ICON ${PROJECT_BINARY_DIR}/windows/camtivo.ico)
add_custom_command(OUTPUT ${CAMTIVO_ICON}
  COMMAND ${CAMTIVO_HOST_BUILD}/packs/camtivo-packtool svg2ico ${PROJECT_SOURCE_DIR}/desktop/camtivo.svg ${CAMTIVO_ICON}
  DEPENDS ${PROJECT_SOURCE_DIR}/desktop/camtivo.svg VERBATIM)
configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/camtivo.rc.in ${PROJECT_BINARY_DIR}/windows/camtivo.rc @ONLY)
add_custom_target(camtivo_icon DEPENDS ${CAMTIVO_ICON})
set_source_files_properties(${PROJECT_BINARY_DIR}/windows/camtivo.rc PROPERTIES OBJECT_DEPENDS ${CAMTIVO_ICON})
target_sources(camtivo PRIVATE ${PROJECT_BINARY_DIR}/windows/camtivo.rc)
add_dependencies(camtivo camtivo_icon)
set_target_properties(camtivo PROPERTIES WIN32_EXECUTABLE ON)

# The shipped packs beside the program, and every pack where the tests look for it.
set(CAMTIVO_SHIPPED_PACKS English Spanish)
file(GLOB host_packs ${CAMTIVO_HOST_BUILD}/packs/*/*.dll)
set(pack_copies)
foreach(dll ${host_packs})
  file(RELATIVE_PATH relative ${CAMTIVO_HOST_BUILD} ${dll})
  get_filename_component(pack ${dll} NAME_WE)
  list(APPEND pack_copies COMMAND ${CMAKE_COMMAND} -E copy ${dll} ${PROJECT_BINARY_DIR}/${relative})
  if(pack IN_LIST CAMTIVO_SHIPPED_PACKS)
    list(APPEND pack_copies COMMAND ${CMAKE_COMMAND} -E copy ${dll} ${PROJECT_BINARY_DIR}/src/app/${pack}.dll)
  endif()
endforeach()

set(CAMTIVO_FONT_FILES /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
set(CAMTIVO_FONT_LICENCE /usr/share/doc/fonts-dejavu-core/copyright)

# Qt's DLLs and plugins and the compiler's runtime: what every program folder needs.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(CAMTIVO_QT_BIN ${qt_core_dll} DIRECTORY)
get_filename_component(CAMTIVO_QT_PLUGINS ${CAMTIVO_QT_BIN}/../plugins ABSOLUTE)
set(CAMTIVO_QT_DLLS ${CAMTIVO_QT_BIN}/Qt6Core.dll ${CAMTIVO_QT_BIN}/Qt6Gui.dll ${CAMTIVO_QT_BIN}/Qt6Widgets.dll)
set(CAMTIVO_QT_PLUGIN_DLLS ${CAMTIVO_QT_PLUGINS}/platforms/qwindows.dll ${CAMTIVO_QT_PLUGINS}/platforms/qoffscreen.dll
    ${CAMTIVO_QT_PLUGINS}/imageformats/qico.dll)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE stdcxx
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll OUTPUT_VARIABLE gcc_s
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(CAMTIVO_RUNTIME_DLLS ${stdcxx} ${gcc_s} /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)

function(camtivo_windows_runtime folder)
  set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platforms ${folder}/imageformats ${folder}/fonts
               COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CAMTIVO_QT_DLLS} ${CAMTIVO_RUNTIME_DLLS} ${folder}
               COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CAMTIVO_QT_PLUGINS}/platforms/qwindows.dll
                       ${CAMTIVO_QT_PLUGINS}/platforms/qoffscreen.dll ${folder}/platforms
               COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CAMTIVO_QT_PLUGINS}/imageformats/qico.dll
                       ${folder}/imageformats
               COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CAMTIVO_FONT_FILES} ${folder}/fonts
               COMMAND ${CMAKE_COMMAND} -E copy ${CAMTIVO_FONT_LICENCE} ${folder}/fonts/LICENSE-DejaVu.txt)
  set(${ARGV1} ${commands} PARENT_SCOPE)
endfunction()

camtivo_windows_runtime(${PROJECT_BINARY_DIR}/src/app app_runtime)
camtivo_windows_runtime(${PROJECT_BINARY_DIR}/tools tools_runtime)
camtivo_windows_runtime(${PROJECT_BINARY_DIR}/tests tests_runtime)
list(APPEND tests_runtime COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CAMTIVO_QT_BIN}/Qt6Test.dll
     ${PROJECT_BINARY_DIR}/tests)
add_custom_target(camtivo_windows_files ALL ${pack_copies} ${app_runtime} ${tools_runtime} ${tests_runtime}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/demo/License.rtf ${PROJECT_BINARY_DIR}/src/app/License.rtf
  VERBATIM)
