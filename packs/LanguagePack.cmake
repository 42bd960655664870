# camtivo_language_pack(<name> <source dir> <output dir> [COPY_TO_APP] [ART <dir>])
# Builds <output dir>/<name>.dll from <source dir> (strings*.txt, skin/*.skin, art/*.svg,
# icons/*.svg); every bitmap N up to 12000 also gets its art at twice the size as N + 20000
# (see the pack tool). ART takes art/ and icons/ from another pack's folder instead, so that a
# translation shares its pictures. COPY_TO_APP marks a shipped pack: it is put beside the
# program (src/app/), where the program and the tests look for packs, and installed into
# share/camtivo/.
include(GNUInstallDirs)

# Bitmap <number>_<name>.bmp from one frame of an SVG (-1: the SVG as it is), and its art at
# twice the size as <number + 20000>_<name>@2x.bmp when the number leaves room for it.
# Appends to the caller's `bitmaps`.
macro(camtivo_pack_bitmap svg number name frame)
  set(bmp ${out}/art/${number}_${name}.bmp)
  add_custom_command(OUTPUT ${bmp} COMMAND camtivo-packtool svg2bmp ${svg} ${bmp} ${frame}
                     DEPENDS ${svg} camtivo-packtool VERBATIM)
  list(APPEND bitmaps ${bmp})
  if(${number} LESS_EQUAL 12000)
    math(EXPR number2x "${number} + 20000")
    set(bmp2x ${out}/art/${number2x}_${name}@2x.bmp)
    add_custom_command(OUTPUT ${bmp2x} COMMAND camtivo-packtool svg2bmp ${svg} ${bmp2x} ${frame} --scale 2
                       DEPENDS ${svg} camtivo-packtool VERBATIM)
    list(APPEND bitmaps ${bmp2x})
  endif()
endmacro()

function(camtivo_language_pack name src out)
  cmake_parse_arguments(ARG "COPY_TO_APP" "ART" "" ${ARGN})
  set(art_src ${src})
  if(ARG_ART)
    set(art_src ${ARG_ART})
  endif()
  file(GLOB skins CONFIGURE_DEPENDS ${src}/skin/*.skin)
  file(GLOB art CONFIGURE_DEPENDS ${art_src}/art/*.svg)
  file(GLOB icon_art CONFIGURE_DEPENDS ${art_src}/icons/*.svg)
  list(SORT skins)
  file(GLOB strings_files CONFIGURE_DEPENDS ${src}/strings*.txt)
  list(SORT strings_files)

  set(bitmaps)
  foreach(svg ${art})
    get_filename_component(stem ${svg} NAME_WE)
    # "177-180_search.svg" is an animation: one bitmap per number, frames 0, 1, ...
    if(stem MATCHES "^([0-9]+)-([0-9]+)_(.*)$")
      set(first ${CMAKE_MATCH_1})
      math(EXPR count "${CMAKE_MATCH_2} - ${first}")
      set(rest ${CMAKE_MATCH_3})
      foreach(frame RANGE ${count})
        math(EXPR number "${first} + ${frame}")
        camtivo_pack_bitmap(${svg} ${number} ${rest} ${frame})
      endforeach()
    elseif(stem MATCHES "^([0-9]+)_(.*)$")
      camtivo_pack_bitmap(${svg} ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} -1)
    else()
      # The pack tool names the file that lacks its number.
      set(bmp ${out}/art/${stem}.bmp)
      add_custom_command(OUTPUT ${bmp} COMMAND camtivo-packtool svg2bmp ${svg} ${bmp}
                         DEPENDS ${svg} camtivo-packtool VERBATIM)
      list(APPEND bitmaps ${bmp})
    endif()
  endforeach()

  set(icons)
  foreach(svg ${icon_art})
    get_filename_component(stem ${svg} NAME_WE)
    set(ico ${out}/icons/${stem}.ico)
    add_custom_command(OUTPUT ${ico} COMMAND camtivo-packtool svg2ico ${svg} ${ico}
                       DEPENDS ${svg} camtivo-packtool VERBATIM)
    list(APPEND icons ${ico})
  endforeach()

  file(MAKE_DIRECTORY ${out}/art ${out}/icons)
  set(rc ${out}/${name}.rc)
  add_custom_command(OUTPUT ${rc}
    COMMAND camtivo-packtool rc ${rc} --strings ${strings_files} --skin ${skins} --bitmaps ${bitmaps} --icons ${icons}
    DEPENDS camtivo-packtool ${strings_files} ${skins} ${bitmaps} ${icons} VERBATIM)

  set(obj ${out}/${name}.res.o)
  set(dll ${out}/${name}.dll)
  add_custom_command(OUTPUT ${obj}
    COMMAND ${CAMTIVO_WINDRES} --preprocessor=cpp --preprocessor-arg=-P -c 65001 -O coff -i ${rc} -o ${obj}
    DEPENDS ${rc} VERBATIM)
  set(link_commands COMMAND ${CAMTIVO_MINGW_LD} --dll -e 0 -s --subsystem windows -o ${dll} ${obj})
  if(ARG_COPY_TO_APP)
    list(APPEND link_commands COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/src/app
                              COMMAND ${CMAKE_COMMAND} -E copy ${dll} ${PROJECT_BINARY_DIR}/src/app/${name}.dll)
    install(FILES ${dll} DESTINATION ${CMAKE_INSTALL_DATADIR}/camtivo)
  endif()
  # Every bitmap and icon of the pack as PNG, for review.
  list(APPEND link_commands COMMAND camtivo-packtool png ${dll} ${PROJECT_BINARY_DIR}/png/packs)
  add_custom_command(OUTPUT ${dll} ${link_commands} DEPENDS ${obj} camtivo-packtool VERBATIM)
  add_custom_target(camtivo_pack_${name} ALL DEPENDS ${dll})
  add_dependencies(camtivo_packs camtivo_pack_${name})
endfunction()
