# Registers one bounded run of each fuzz target that a clang build in ZARVO_FUZZ_DIR holds.
set(ZARVO_FUZZ_SECONDS 30 CACHE STRING "How long ctest runs each fuzz target, in seconds")
foreach(target IN ITEMS fuzz_mp3 fuzz_profile)
  string(REPLACE "fuzz_" "" corpus ${target})
  add_test(NAME ${target}
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-fuzzer ${ZARVO_FUZZ_DIR}/${target}
                   ${CMAKE_CURRENT_LIST_DIR}/corpus/${corpus} ${ZARVO_FUZZ_SECONDS})
  set_tests_properties(${target} PROPERTIES TIMEOUT 300 LABELS fuzz ENVIRONMENT
                       "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endforeach()
