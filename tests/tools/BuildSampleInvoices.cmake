# Builds the invoice template on the sample shop database with `vellum build
# --database` and the queries written beside the template, and checks that
# the build succeeds with at least one page and leaves the database as it
# was. Arguments: VELLUM (the program), SHOP (the folder of shop.sqlite,
# Invoices.vlf and Invoices.args), OUT (a scratch folder).
file(STRINGS "${SHOP}/Invoices.args" queries)
list(LENGTH queries count)
if(NOT count EQUAL 4)
  message(FATAL_ERROR "expected two queries in ${SHOP}/Invoices.args")
endif()
file(MAKE_DIRECTORY "${OUT}")
set(json "${OUT}/Invoices.json")
file(REMOVE "${json}")
file(SHA256 "${SHOP}/shop.sqlite" before)
execute_process(
  COMMAND "${VELLUM}" build "${SHOP}/Invoices.vlf" --database "${SHOP}/shop.sqlite" ${queries}
          --now "2026-12-01 09:00:00" --locale en_US --json "${json}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "vellum build exited with ${status}: ${errors}")
endif()
file(READ "${json}" text)
string(JSON pages ERROR_VARIABLE jsonError GET "${text}" totalPages)
if(jsonError OR NOT pages GREATER 0)
  message(FATAL_ERROR "no pages (${jsonError})")
endif()
file(SHA256 "${SHOP}/shop.sqlite" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the build changed the database")
endif()
message(STATUS "Invoices: ${pages} page(s)")
