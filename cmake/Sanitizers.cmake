if(VELLUM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# Fuzzing builds (clang only): coverage for libFuzzer everywhere, with the
# sanitizers that turn silent memory faults into findings.
if(VELLUM_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# Engine instances run on several threads at once; ThreadSanitizer finds
# state they still share.
if(VELLUM_TSAN)
  if(VELLUM_SANITIZE OR VELLUM_FUZZ)
    message(FATAL_ERROR "VELLUM_TSAN does not combine with VELLUM_SANITIZE or VELLUM_FUZZ")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
