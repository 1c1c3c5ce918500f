# vellum_engine_library(<target> <sources>...)
# Makes the engine folder of the calling CMakeLists.txt a static library.
# Its headers are included as "engine/<folder>/<name>.h", and its include
# path is a view of that folder alone (a symbolic link in the build tree),
# not of the whole source tree: a library sees its own headers and those of
# the libraries it links, so a lower layer that includes a header of a
# higher one fails to compile.
function(vellum_engine_library target)
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  set(view "${PROJECT_BINARY_DIR}/include-views/${target}")
  get_filename_component(parent "${view}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${view}/${folder}" SYMBOLIC)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC "${view}")
  vellum_use_pch(${target})
endfunction()

# The targets that <target> links, directly or through other targets, in <out>.
function(vellum_linked_targets target out)
  set(found ${${out}})
  get_target_property(type ${target} TYPE)
  set(libraries)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND libraries ${direct})
    endif()
  endif()
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  if(interface)
    list(APPEND libraries ${interface})
  endif()
  foreach(library IN LISTS libraries)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" library "${library}")
    if(TARGET "${library}" AND NOT library IN_LIST found)
      list(APPEND found "${library}")
      vellum_linked_targets("${library}" found)
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Stops the configuration when <target> links Qt Widgets, directly or not:
# the engine core runs without a display.
function(vellum_forbid_widgets target)
  set(linked)
  vellum_linked_targets(${target} linked)
  foreach(library IN LISTS linked)
    if(library MATCHES "^Qt6?::(Widgets|PrintSupport)$")
      message(FATAL_ERROR "${target} links ${library}; the engine core links QtCore and QtGui only")
    endif()
  endforeach()
endfunction()
