# Sanitizer builds: every target of the build (deliverables, stand-in host, tests, demo) compiled
# and linked with the sanitizers named in TESSALINE_SANITIZE, and the libFuzzer targets.
#
#   address;undefined  AddressSanitizer with LeakSanitizer, and UndefinedBehaviorSanitizer; any
#                      report ends the program (presets asan)
#   thread             ThreadSanitizer (preset tsan)
#
# The sanitizer runtime lives in the executables (the tests, the demo, the fuzzers); the plug-ins
# are instrumented but link no runtime, and resolve its symbols from the executable that loads
# them, as they resolve nothing else from it.

set(TESSALINE_SANITIZE "" CACHE STRING "Sanitizers for the whole build: address;undefined or thread")
option(TESSALINE_FUZZ "Build the libFuzzer targets (clang, with TESSALINE_SANITIZE address;undefined)"
       OFF)

if(TESSALINE_SANITIZE)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "Sanitizer builds use clang (the presets asan and tsan set it)")
  endif()
  string(REPLACE ";" "," TESSALINE_SANITIZER_LIST "${TESSALINE_SANITIZE}")
  add_compile_options(-fsanitize=${TESSALINE_SANITIZER_LIST} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${TESSALINE_SANITIZER_LIST})
endif()

if(TESSALINE_FUZZ AND NOT "address" IN_LIST TESSALINE_SANITIZE)
  message(FATAL_ERROR "TESSALINE_FUZZ needs TESSALINE_SANITIZE=address;undefined")
endif()

# Called once every library target exists. Plug-ins and the host's fixture library leave the
# runtime's symbols undefined for the executable to provide (a later -z undefs overrides their
# --no-undefined). The product has no RTTI, so the vptr check is off for it. Fuzzing adds
# coverage instrumentation to the code the fuzzers drive: the plug-ins and the stand-in host. In
# the plug-ins it counts edges but does not trace integer comparisons: those sit in the pixel and
# corner loops, where tracing them would take most of a run's time.
function(tessaline_sanitize_libraries)
  if(NOT TESSALINE_SANITIZE)
    return()
  endif()
  get_property(built GLOBAL PROPERTY TESSALINE_BUILT)
  foreach(plugin IN LISTS built)
    target_compile_options(${plugin} PRIVATE -fno-sanitize=vptr)
    target_link_options(${plugin} PRIVATE -Wl,-z,undefs)
    if(TESSALINE_FUZZ)
      target_compile_options(${plugin} PRIVATE -fsanitize=fuzzer-no-link
                                               -fno-sanitize-coverage=trace-cmp)
    endif()
  endforeach()
  if(TARGET test_support)
    target_compile_definitions(test_support PUBLIC TESSALINE_SANITIZED)
    # These tests call wrappers, and answer for the host, through function types other than the
    # declared ones on purpose, to see the bytes a wrapper passes on: the check of indirect
    # calls' function types is off for their calls and their entries.
    set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/bridge/catalog_variants_test.cpp
        DIRECTORY ${PROJECT_SOURCE_DIR}/tests
        PROPERTIES COMPILE_OPTIONS -fno-sanitize=function)
  endif()
  if(TARGET HostFixture)
    target_link_options(HostFixture PRIVATE -Wl,-z,undefs)
  endif()
  if(TESSALINE_FUZZ AND TARGET tessaline_host)
    target_compile_options(tessaline_host PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
