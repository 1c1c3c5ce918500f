# vellum_include_view(<target> <folder>...)
# Gives <target> an include path that is a view of the headers directly in
# the given source folders (paths from the top of the source tree): each
# header is a symbolic link under include-views/<target>/<folder>/ in the
# build tree. Subfolders belong to other libraries and are not part of the
# view. A library sees its own headers and those of the libraries it links,
# so a header of a library above it, or beside it, fails to compile.
function(vellum_include_view target)
  set(view "${PROJECT_BINARY_DIR}/include-views/${target}")
  foreach(folder IN LISTS ARGN)
    set(dir "${view}/${folder}")
    # an older tree linked the whole folder: replace that link by a folder
    if(IS_SYMLINK "${dir}")
      file(REMOVE "${dir}")
    endif()
    file(MAKE_DIRECTORY "${dir}")
    file(GLOB stale "${dir}/*.h")
    if(stale)
      file(REMOVE ${stale})
    endif()
    file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h")
    foreach(header IN LISTS headers)
      get_filename_component(name "${header}" NAME)
      file(CREATE_LINK "${header}" "${dir}/${name}" SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} PUBLIC "${view}")
endfunction()

# vellum_engine_library(<target> <sources>...)
# Makes the engine folder of the calling CMakeLists.txt a static library
# whose headers are included as "engine/<folder>/<name>.h" through its
# include view, so that a lower layer that includes a header of a higher
# one fails to compile.
function(vellum_engine_library target)
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  add_library(${target} STATIC ${ARGN})
  vellum_include_view(${target} "${folder}")
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
