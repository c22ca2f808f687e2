# Unity builds: each library's and test program's sources are compiled a batch at a time
# as one file, so the standard library and GoogleTest headers and their inline code are
# compiled once per batch instead of once per source. Precompiled headers were measured on
# top of this and gained nothing: the time saved parsing went into loading them.
option(LUMENO_UNITY_BUILD "Compile the sources of each library and test program in batches" ON)
set(LUMENO_UNITY_BATCH_SIZE 8 CACHE STRING "Sources per unity batch")
if(LUMENO_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # A class in a batch's unnamed namespace is not "in the main file", which GCC reports.
  add_compile_options(-Wno-subobject-linkage)
endif()

function(lumeno_unity name)
  if(LUMENO_UNITY_BUILD)
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${LUMENO_UNITY_BATCH_SIZE})
  endif()
endfunction()

# lumeno_library(NAME SOURCES ... [DEPS ...] [BACK_DEPS ...])
#   A library whose headers are included from the repository root
#   ("platform/foundation/RunLoop.h"): static, or shared where LUMENO_SHARED_LIBS is on.
#   BACK_DEPS are libraries that depend on this one in turn (a class split across both).
#   Static libraries may depend on each other in a cycle; a shared one is linked without
#   them and leaves them to the programs that link it (libraries linking it pass them on).
function(lumeno_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;BACK_DEPS" ${ARGN})
  if(LUMENO_SHARED_LIBS)
    add_library(${name} SHARED ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS}
                          INTERFACE "$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:${ARG_BACK_DEPS}>")
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_BACK_DEPS})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  lumeno_unity(${name})
endfunction()

# lumeno_test(NAME SOURCES ... [DEPS ...] [LABELS ...] [SERIAL])
#   A GoogleTest program; each test case becomes a CTest test. Every case runs with
#   its own, freshly emptied Documents, Caches, config and temp folders under the
#   build tree, and LUMENO_SOURCE_DIR set (see tests/support/TestMain.cpp).
#   Tests labelled "concurrency" also run under the thread sanitizer in CI; the
#   target concurrency_tests builds just those. SERIAL cases run alone: they play on the
#   real clock, where other tests' load would change what they see.
if(NOT TARGET concurrency_tests)
  add_custom_target(concurrency_tests)
endif()
function(lumeno_test name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if("concurrency" IN_LIST ARG_LABELS)
    add_dependencies(concurrency_tests ${name})
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock lumeno_test_main)
  lumeno_unity(${name})
  set(properties LABELS "${ARG_LABELS}")
  if(ARG_SERIAL)
    set(properties RUN_SERIAL TRUE ${properties})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# lumeno_command_test(NAME COMMAND ...)
#   A test that runs a command (a script, the built program), in a sandbox of its own as
#   every GoogleTest case has (see tests/support/TestSandbox.h).
function(lumeno_command_test name)
  # PARSE_ARGV keeps a semicolon inside an argument (a shell command line) in one piece.
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "COMMAND")
  add_test(NAME ${name} COMMAND lumeno-test-sandbox ${name} ${ARG_COMMAND})
endfunction()

# lumeno_bench(NAME SOURCES ... [DEPS ...])
#   NAME must start with "bench_" so bench/run finds it.
function(lumeno_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# lumeno_fuzz_target(NAME SOURCES ... [DEPS ...])
#   A fuzz target over one parser: its source defines LLVMFuzzerTestOneInput and its seed
#   corpus lies in corpus/ beside it. With LUMENO_FUZZ (the "fuzz" preset, clang) it is a
#   libFuzzer program fuzz_NAME; otherwise it is a program that replays the corpus, run by
#   CTest, so every build checks the seeds (under the sanitizers in CI).
if(NOT TARGET fuzz_targets)
  add_custom_target(fuzz_targets)
endif()
function(lumeno_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(exe fuzz_${name})
  add_executable(${exe} ${ARG_SOURCES})
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${exe} PRIVATE ${ARG_DEPS})
  add_dependencies(fuzz_targets ${exe})
  if(LUMENO_FUZZ)
    target_link_options(${exe} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${exe} PRIVATE lumeno_fuzz_replay)
    add_test(NAME fuzz.${name}.corpus COMMAND ${exe} ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
    set_tests_properties(fuzz.${name}.corpus PROPERTIES LABELS fuzz)
  endif()
endfunction()

# Adds every immediate sub-folder of the current source folder that has a CMakeLists.txt,
# except those named after EXCEPT.
function(lumeno_add_subfolders)
  cmake_parse_arguments(ARG "" "" "EXCEPT" ${ARGN})
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(child IN_LIST ARG_EXCEPT)
      continue()
    endif()
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
