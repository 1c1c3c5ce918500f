# Builds every sample report template against the sample organizer data with
# `vellum build` and checks that each build succeeds with at least one page.
# Arguments: VELLUM (the program), REPORTS (the template tree), DATA (the
# organizer folder), OUT (a scratch folder).
file(GLOB templates "${REPORTS}/TaskList/*.vlf" "${REPORTS}/Contacts/*.vlf")
list(LENGTH templates count)
if(count LESS 8)
  message(FATAL_ERROR "expected the sample templates in ${REPORTS}, found ${count}")
endif()
file(MAKE_DIRECTORY "${OUT}")
foreach(template IN LISTS templates)
  get_filename_component(name "${template}" NAME_WE)
  set(json "${OUT}/${name}.json")
  file(REMOVE "${json}")
  execute_process(
    COMMAND "${VELLUM}" build "${template}" --organizer "${DATA}"
            --now "2026-12-01 09:00:00" --locale en_US --json "${json}"
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${name}: vellum build exited with ${status}: ${errors}")
    continue()
  endif()
  file(READ "${json}" text)
  string(JSON pages ERROR_VARIABLE jsonError GET "${text}" totalPages)
  if(jsonError OR NOT pages GREATER 0)
    message(SEND_ERROR "${name}: no pages (${jsonError})")
    continue()
  endif()
  message(STATUS "${name}: ${pages} page(s)")
endforeach()
