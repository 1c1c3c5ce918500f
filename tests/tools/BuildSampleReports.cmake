# Builds every sample report template against the sample organizer data with
# `vellum build` at a fixed moment and locale, and compares each JSON output
# with the expectation committed beside this script (expected/<kind>/<name>.json).
# Arguments: VELLUM (the program), REPORTS (the template tree), DATA (the
# organizer folder), OUT (a scratch folder), EXPECTED (the expectations);
# with UPDATE=ON the expectations are written instead of compared.
file(GLOB templates "${REPORTS}/TaskList/*.vlf" "${REPORTS}/Contacts/*.vlf")
list(LENGTH templates count)
if(count LESS 8)
  message(FATAL_ERROR "expected the sample templates in ${REPORTS}, found ${count}")
endif()
file(MAKE_DIRECTORY "${OUT}")
foreach(template IN LISTS templates)
  get_filename_component(name "${template}" NAME_WE)
  get_filename_component(folder "${template}" DIRECTORY)
  get_filename_component(kind "${folder}" NAME)
  set(json "${OUT}/${kind}-${name}.json")
  set(expected "${EXPECTED}/${kind}/${name}.json")
  file(REMOVE "${json}")
  execute_process(
    COMMAND "${VELLUM}" build "${template}" --organizer "${DATA}"
            --now "2026-12-01 09:00:00" --locale en_US --json "${json}"
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${kind}/${name}: vellum build exited with ${status}: ${errors}")
    continue()
  endif()
  file(READ "${json}" text)
  string(JSON pages ERROR_VARIABLE jsonError GET "${text}" totalPages)
  if(jsonError OR NOT pages GREATER 0)
    message(SEND_ERROR "${kind}/${name}: no pages (${jsonError})")
    continue()
  endif()
  if(UPDATE)
    configure_file("${json}" "${expected}" COPYONLY)
    message(STATUS "${kind}/${name}: ${pages} page(s), expectation written")
    continue()
  endif()
  if(NOT EXISTS "${expected}")
    message(SEND_ERROR "${kind}/${name}: no expectation ${expected} (run with -DUPDATE=ON)")
    continue()
  endif()
  file(READ "${expected}" wanted)
  if(NOT text STREQUAL wanted)
    message(SEND_ERROR "${kind}/${name}: the output ${json} differs from ${expected}")
    continue()
  endif()
  message(STATUS "${kind}/${name}: ${pages} page(s) as expected")
endforeach()
