# What a Debian package carries beside the programs:
#   share/man/man1/         a manual page per program, made from its --help by help2man at build
#                           time and compressed as Debian expects (gzip -9n)
#   share/bash-completion/completions/camtivo-cli
#   share/doc/camtivo/      the machine-readable copyright file and the changelog (native
#                           package: changelog.gz)
#   share/lintian/overrides/camtivo   the checker's findings we accept, each with its reason
set(CAMTIVO_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/packaging/debian)
set(CAMTIVO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/camtivo)

find_program(HELP2MAN help2man)
find_program(GZIP gzip REQUIRED)
if(NOT HELP2MAN)
  message(WARNING "help2man not found: no manual pages (scripts/setup.sh installs it)")
endif()

set(camtivo_man_summary_camtivo "wizard that finds network cameras and sets them up")
set(camtivo_man_summary_camtivo-cli "search for network cameras and save their settings from a shell")
set(camtivo_man_summary_camtivo-camsim "simulated network cameras for tests")
set(man_dir ${PROJECT_BINARY_DIR}/man)
set(man_pages)
foreach(program camtivo camtivo-cli camtivo-camsim)
  if(NOT HELP2MAN)
    break()
  endif()
  set(page ${man_dir}/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND ${HELP2MAN} --no-info --section=1 --source=Camtivo
            "--name=${camtivo_man_summary_${program}}" --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program}
    COMMENT "Manual page of ${program}"
    VERBATIM)
  list(APPEND man_pages ${page}.gz)
endforeach()

set(changelog ${PROJECT_BINARY_DIR}/doc/changelog)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CAMTIVO_DEBIAN_DIR}/changelog ${changelog}
  COMMAND ${GZIP} -9nf ${changelog}
  DEPENDS ${CAMTIVO_DEBIAN_DIR}/changelog
  VERBATIM)
add_custom_target(camtivo_package_docs ALL DEPENDS ${man_pages} ${changelog}.gz)

install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/bash-completion/camtivo-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${CAMTIVO_DEBIAN_DIR}/copyright ${changelog}.gz DESTINATION ${CAMTIVO_DOC_DIR})
