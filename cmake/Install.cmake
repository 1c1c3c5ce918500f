# Installing Vellum for other programs: versioned shared libraries made from
# the objects of the static libraries the project itself links, the public
# headers under include/vellum/, the programs, and the CMake package Vellum
# whose imported targets (Vellum::Engine, Vellum::Sql, ...) a consumer gets
# from find_package(Vellum).
#
# Inside the project everything keeps linking the static libraries, so the
# layering checks and the tests see the same code the package ships; the
# shared libraries are a second link of the same objects.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VELLUM_INSTALL_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/vellum")
set(VELLUM_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/Vellum")

# The Qt modules the installed libraries need, in the order they were added.
set_property(GLOBAL PROPERTY VELLUM_PACKAGE_QT "")
# The package names (Engine, Sql, ...) installed so far.
set_property(GLOBAL PROPERTY VELLUM_PACKAGE_COMPONENTS "")

# Where the headers of a source folder go: include/vellum/<folder>, so that
# "engine/build/TvlReport.h" resolves below include/vellum as it does in the
# source tree.
function(vellum_install_headers folder)
  file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  install(FILES ${headers} DESTINATION "${VELLUM_INSTALL_INCLUDEDIR}/${folder}"
          COMPONENT Development)
endfunction()

# Sorts the libraries that <links> names for a shared library made of
# <package_libraries>: those of the same package are inside it already,
# those of a package installed before are linked as that package's shared
# library, Qt modules are public (the headers use them), object libraries
# (compiled resources) are linked in, interface libraries stand for what
# they link, and other imported libraries are private.
function(vellum_sort_links links package_libraries public_out private_out objects_out)
  set(public ${${public_out}})
  set(private ${${private_out}})
  set(objects ${${objects_out}})
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
    get_property(shared GLOBAL PROPERTY VELLUM_SHARED_OF_${link})
    set(type "")
    if(TARGET ${link})
      get_target_property(type ${link} TYPE)
      get_target_property(imported ${link} IMPORTED)
      if(imported)
        set(type IMPORTED)
      endif()
    endif()
    if(link IN_LIST package_libraries)
      continue()
    elseif(shared)
      list(APPEND public ${shared})
    elseif(link MATCHES "^Qt6?::")
      list(APPEND public ${link})
    elseif(type STREQUAL "" OR type STREQUAL "IMPORTED")
      list(APPEND private ${link})
    elseif(type STREQUAL "OBJECT_LIBRARY")
      list(APPEND objects ${link})
    elseif(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(inner ${link} INTERFACE_LINK_LIBRARIES)
      if(inner)
        vellum_sort_links("${inner}" "${package_libraries}" public private objects)
      endif()
    else()
      # Linking it statically would put a second copy of its code, and of
      # the engine's process-wide state, into the shared library.
      message(FATAL_ERROR "${link} is in no installed library; install it first "
                          "or add it to the same library")
    endif()
  endforeach()
  set(${public_out} ${public} PARENT_SCOPE)
  set(${private_out} ${private} PARENT_SCOPE)
  set(${objects_out} ${objects} PARENT_SCOPE)
endfunction()

# vellum_install_library(<Name> <static library>...
#                        [HEADERS <source folder>...])
# Installs the static libraries as one versioned shared library
# libvellum_<name>.so.1 (the name in lower case), exported as Vellum::<Name>,
# with the headers of the given folders. The libraries it needs from earlier
# calls are linked as their shared libraries, the Qt modules they link
# become dependencies of the package. Adding a library to the package is
# one call.
function(vellum_install_library name)
  cmake_parse_arguments(arg "" "" "HEADERS" ${ARGN})
  set(libraries ${arg_UNPARSED_ARGUMENTS})
  string(TOLOWER "${name}" lower)
  set(target vellum_${lower}_shared)
  add_library(${target} SHARED)
  set(public "")
  set(private "")
  set(objects ${libraries})
  foreach(library IN LISTS libraries)
    # What the library links itself, and what it hands on to whoever links
    # it: a static library passes its compiled Qt resources on that way.
    set(links "")
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(more ${library} ${property})
      if(more)
        list(APPEND links ${more})
      endif()
    endforeach()
    list(FILTER links EXCLUDE REGEX "^(::@|\\$<[^L])")
    list(REMOVE_DUPLICATES links)
    vellum_sort_links("${links}" "${libraries}" public private objects)
  endforeach()
  list(REMOVE_DUPLICATES objects)
  foreach(library IN LISTS objects)
    set_property(TARGET ${library} PROPERTY POSITION_INDEPENDENT_CODE ON)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${library}>)
  endforeach()
  foreach(library IN LISTS libraries)
    set_property(GLOBAL PROPERTY VELLUM_SHARED_OF_${library} ${target})
  endforeach()
  list(REMOVE_DUPLICATES public)
  list(REMOVE_DUPLICATES private)
  target_link_libraries(${target} PUBLIC ${public} PRIVATE ${private})
  target_compile_features(${target} INTERFACE cxx_std_20)
  target_include_directories(${target} INTERFACE
    "$<INSTALL_INTERFACE:${VELLUM_INSTALL_INCLUDEDIR}>"
    "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
  if(VELLUM_SANITIZE OR VELLUM_FUZZ)
    # Code built with the sanitizers needs their runtime in the program.
    target_link_options(${target} INTERFACE "$<INSTALL_INTERFACE:-fsanitize=address,undefined>")
  endif()
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME vellum_${lower}
    EXPORT_NAME ${name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${target} EXPORT VellumTargets
          LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Runtime
                  NAMELINK_COMPONENT Development)
  foreach(folder IN LISTS arg_HEADERS)
    vellum_install_headers(${folder})
  endforeach()

  foreach(link IN LISTS public)
    if(link MATCHES "^Qt6?::(.*)$")
      set_property(GLOBAL APPEND PROPERTY VELLUM_PACKAGE_QT ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY VELLUM_PACKAGE_COMPONENTS ${name})
endfunction()

# Installs the programs that exist among the given targets.
function(vellum_install_programs)
  foreach(program IN LISTS ARGN)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT Runtime)
    endif()
  endforeach()
endfunction()

# Writes the package files once every library has been added:
# VellumConfig.cmake (finding the Qt modules the libraries need),
# VellumConfigVersion.cmake and the exported targets.
function(vellum_install_package)
  get_property(qt GLOBAL PROPERTY VELLUM_PACKAGE_QT)
  get_property(components GLOBAL PROPERTY VELLUM_PACKAGE_COMPONENTS)
  list(REMOVE_DUPLICATES qt)
  set(VELLUM_PACKAGE_QT "${qt}")
  set(VELLUM_PACKAGE_COMPONENTS "${components}")
  list(JOIN components ", " VELLUM_PACKAGE_LIST)
  set(generated "${PROJECT_BINARY_DIR}/package")
  configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/VellumConfig.cmake.in"
    "${generated}/VellumConfig.cmake"
    INSTALL_DESTINATION "${VELLUM_INSTALL_CMAKEDIR}")
  write_basic_package_version_file("${generated}/VellumConfigVersion.cmake"
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion)
  install(EXPORT VellumTargets NAMESPACE Vellum:: FILE VellumTargets.cmake
          DESTINATION "${VELLUM_INSTALL_CMAKEDIR}" COMPONENT Development)
  install(FILES "${generated}/VellumConfig.cmake" "${generated}/VellumConfigVersion.cmake"
          DESTINATION "${VELLUM_INSTALL_CMAKEDIR}" COMPONENT Development)
endfunction()
