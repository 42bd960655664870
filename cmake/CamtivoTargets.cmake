# One static library per source folder, made of every .cpp in it. New files are picked up
# at the next build (CONFIGURE_DEPENDS), so adding a file never needs a CMake edit.
function(camtivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CAMTIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(camtivo_folder_library name)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINK})
  camtivo_warnings(${name})
endfunction()

# The system half of a folder: its posix/ or windows/ subfolder.
if(WIN32)
  set(camtivo_system windows)
else()
  set(camtivo_system posix)
endif()

# Adds the system's own files of the current folder to `target`.
function(camtivo_system_sources target)
  file(GLOB system_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${camtivo_system}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/${camtivo_system}/*.h)
  target_sources(${target} PRIVATE ${system_sources})
endfunction()
