# Installs the build tree into a scratch prefix and builds the embedding
# examples against it with find_package(Vellum) alone, as a program outside
# the project would; compiles every installed header on its own include
# paths; then runs the invoice examples and reads their PDF back as text.
# Arguments: BUILD (the build tree), SOURCE (the source tree), OUT (a scratch
# folder), CXX (the compiler), PDFTOTEXT.
foreach(argument BUILD SOURCE OUT CXX PDFTOTEXT)
  if(NOT ${argument})
    message(FATAL_ERROR "${argument} is not set")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}\nexited with ${status}\n${out}\n${err}")
  endif()
endfunction()

set(prefix "${OUT}/prefix")
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")

# A consumer sees the installed tree only: the examples are configured from
# the source folder but find nothing of the project except the package.
set(consumer_options -G Ninja "-DCMAKE_CXX_COMPILER=${CXX}" "-DCMAKE_PREFIX_PATH=${prefix}"
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} -S "${SOURCE}/examples" -B "${OUT}/examples" ${consumer_options})
file(STRINGS "${OUT}/examples/CMakeCache.txt" found REGEX "^Vellum_DIR:")
if(NOT found MATCHES "${prefix}/")
  message(FATAL_ERROR "the examples found Vellum outside the prefix: ${found}")
endif()

# Every installed header compiles with the package's include paths alone.
file(GLOB_RECURSE headers RELATIVE "${prefix}/include" "${prefix}/include/vellum/*.h")
list(LENGTH headers count)
if(count LESS 50)
  message(FATAL_ERROR "expected the engine's headers under ${prefix}/include, found ${count}")
endif()
set(includes "")
foreach(header IN LISTS headers)
  string(APPEND includes "#include <${header}>\n")
endforeach()
file(WRITE "${OUT}/headers/headers.cpp" "${includes}")
# The same project checks what the package promises: another major version
# or a library it does not hold is not found, and the engine core brings no
# Qt module beyond QtCore and QtGui.
file(WRITE "${OUT}/headers/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)
project(VellumHeaders LANGUAGES CXX)
find_package(Vellum 2.0 QUIET)
if(Vellum_FOUND)
  message(FATAL_ERROR \"version 2.0 was found\")
endif()
find_package(Vellum 1.0 QUIET COMPONENTS Engine NoSuchLibrary)
if(Vellum_FOUND)
  message(FATAL_ERROR \"a library the package lacks was found\")
endif()
find_package(Vellum 1.0 REQUIRED)
get_target_property(engine_links Vellum::Engine INTERFACE_LINK_LIBRARIES)
if(engine_links MATCHES \"Widgets|PrintSupport|Sql\" OR NOT \"Qt6::Gui\" IN_LIST engine_links)
  message(FATAL_ERROR \"Vellum::Engine links \${engine_links}\")
endif()
list(TRANSFORM Vellum_COMPONENTS PREPEND Vellum:: OUTPUT_VARIABLE libraries)
add_library(headers OBJECT headers.cpp)
target_link_libraries(headers PRIVATE \${libraries})
")
run(${CMAKE_COMMAND} -S "${OUT}/headers" -B "${OUT}/headers/build" ${consumer_options})
run(${CMAKE_COMMAND} --build "${OUT}/headers/build" -j2)

run(${CMAKE_COMMAND} --build "${OUT}/examples" -j2 --target invoice-pdf invoice-sql)

# The invoice's header, its lines with the amounts the template works out,
# and the total, from the list in memory and from the SQLite table alike.
set(expected "Invoice" "No. 2026-0117" "Harbour Street Books" "Oak writing desk"
    "Notebook, A5 dotted" "74.70" "67.50" "639.20")
foreach(example invoice-pdf invoice-sql)
  set(pdf "${OUT}/${example}.pdf")
  run("${OUT}/examples/${example}" "${SOURCE}/examples/invoice.vlf" "${pdf}")
  run("${PDFTOTEXT}" -layout "${pdf}" "${OUT}/${example}.txt")
  file(READ "${OUT}/${example}.txt" text)
  foreach(line IN LISTS expected)
    string(FIND "${text}" "${line}" at)
    if(at LESS 0)
      message(SEND_ERROR "${example}: \"${line}\" is missing from the PDF text:\n${text}")
    endif()
  endforeach()
  message(STATUS "${example}: ${pdf}")
endforeach()
