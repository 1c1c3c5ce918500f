# Warnings for every target of the project; third-party headers come in as system includes.
add_compile_options(-Wall -Wextra)
if(VELLUM_WERROR)
  add_compile_options(-Werror)
endif()
