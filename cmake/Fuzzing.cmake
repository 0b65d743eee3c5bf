# keldwick_fuzzer(<name> SOURCES <files...> LIBRARIES <targets...> [CORPUS_COMMAND <command...>])
# Builds a libFuzzer target into <build>/fuzzers/ and, when a command is given,
# a target <name>_corpus that writes the initial corpus into <build>/corpus/<name>/.
# CI runs every fuzzer found there for a bounded time.
function(keldwick_fuzzer name)
  cmake_parse_arguments(FUZZ "" "" "SOURCES;LIBRARIES;CORPUS_COMMAND" ${ARGN})
  add_executable(${name} ${FUZZ_SOURCES})
  target_link_libraries(${name} PRIVATE ${FUZZ_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
  if(FUZZ_CORPUS_COMMAND)
    set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
    add_custom_target(${name}_corpus ALL
      COMMAND ${CMAKE_COMMAND} -E make_directory ${corpus}
      COMMAND ${FUZZ_CORPUS_COMMAND} ${corpus}
      COMMENT "Initial corpus for ${name}")
  endif()
endfunction()
