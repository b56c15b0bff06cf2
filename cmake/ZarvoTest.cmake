# zarvo_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [GUI] [XVFB] [DBUS] [AUDIO | NO_AUDIO_SERVER]
#                [FULL_STACKS] [TIMEOUT <s>])
#   The test is labelled with its folder's name (unit, gui, system, packaging), so that
#   `ctest -L unit` or `ctest -L 'unit|gui'` (scripts/test --fast) runs one area.
#   GUI  : real widgets on the offscreen platform
#   XVFB : a real X server (the test runs under tests/support/with-xvfb)
#   DBUS : a private session bus for the test (tests/support/with-dbus)
#   AUDIO: a private sound server with a null output (tests/support/with-audio)
#   NO_AUDIO_SERVER: no sound server reachable at all (tests/support/with-audio --no-server)
#   FULL_STACKS: allocation stacks unwound through the system libraries too, for a test whose only
#                leak is one that tests/support/lsan.supp names by a function inside Qt: Debian's Qt
#                keeps no frame pointers, so the fast unwinder stops at Qt's first frame and the
#                suppression could not see the function. Eight frames reach it; the full depth made
#                the test six times slower and late under load.
# Every test runs with LeakSanitizer and the suppressions in tests/support/lsan.supp; a program the
# test starts (the real zarvo in the system tests) inherits both, so a leak at its exit shows as its
# report on its standard error and exit status 23 (every sanitizer report ends a program with 23).
set(ZARVO_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/../tests/support/lsan.supp)
cmake_path(NORMAL_PATH ZARVO_LSAN_SUPPRESSIONS)

function(zarvo_add_test)
  cmake_parse_arguments(T "GUI;XVFB;DBUS;AUDIO;NO_AUDIO_SERVER;FULL_STACKS" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test zarvo_test_support ${T_LIBS})
  set(cmd $<TARGET_FILE:${T_NAME}>)
  if(T_AUDIO)
    set(cmd ${CMAKE_SOURCE_DIR}/tests/support/with-audio ${cmd})
  elseif(T_NO_AUDIO_SERVER)
    set(cmd ${CMAKE_SOURCE_DIR}/tests/support/with-audio --no-server ${cmd})
  endif()
  if(T_DBUS)
    set(cmd ${CMAKE_SOURCE_DIR}/tests/support/with-dbus ${cmd})
  endif()
  if(T_XVFB)
    set(cmd ${CMAKE_SOURCE_DIR}/tests/support/with-xvfb ${cmd})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${cmd})
  set(asan "detect_leaks=1:abort_on_error=0:exitcode=23")
  if(T_FULL_STACKS)
    string(APPEND asan ":fast_unwind_on_malloc=0:malloc_context_size=8")
  endif()
  set(env "ZARVO_SOURCE_DIR=${CMAKE_SOURCE_DIR}" "ZARVO_BINARY_DIR=${CMAKE_BINARY_DIR}" "ASAN_OPTIONS=${asan}"
          "LSAN_OPTIONS=suppressions=${ZARVO_LSAN_SUPPRESSIONS}:print_suppressions=0"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=23")
  if(T_GUI AND NOT T_XVFB)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME folder)
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT} LABELS ${folder})
endfunction()
