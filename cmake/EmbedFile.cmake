# vellum_embed_file(<target> <input> <symbol>)
# Compiles <input> into <target> as `extern const unsigned char <symbol>[]` and
# `extern const unsigned long <symbol>_size`, so data files need no run-time lookup.
function(vellum_embed_file target input symbol)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake"
    COMMENT "Embedding ${input}")
  target_sources(${target} PRIVATE "${out}")
endfunction()
