# Wayland protocol code is generated from its XML at build time by
# wayland-scanner: `side` is "client" or "server"; the header lands in a
# folder the target includes. HEADER_ONLY leaves out the interface tables, for
# a target that links them from a library already.
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)

function(quillon_wayland_protocol target xml side)
  cmake_parse_arguments(ARG "HEADER_ONLY" "" "" ${ARGN})
  get_filename_component(name ${xml} NAME_WE)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/wayland-${side})
  set(header ${folder}/${name}-${side}-protocol.h)
  set(code ${folder}/${name}-${side}-protocol.c)
  add_custom_command(
    OUTPUT ${header} ${code}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${WAYLAND_SCANNER} ${side}-header ${xml} ${header}
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
    DEPENDS ${xml}
    VERBATIM)
  if(ARG_HEADER_ONLY)
    target_sources(${target} PRIVATE ${header})
  else()
    target_sources(${target} PRIVATE ${header} ${code})
  endif()
  target_include_directories(${target} PRIVATE ${folder})
endfunction()
