# SPDX-License-Identifier: GPL-2.0-or-later
# The fuzz target: clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, on the headless backend (tests/fuzz/run_fuzz.sh),
# and the runner from the same sources, whose frames must equal the GCC
# build's (the literals carry the same bytes).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz build needs clang++ (libFuzzer)")
endif()
set(KABU_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
target_compile_options(kabu_options INTERFACE ${KABU_SANITIZERS})
target_link_options(kabu_options INTERFACE -fsanitize=address,undefined)

kabu_library(kabutour "^tests/support/screen_tour\\.cpp$")
target_include_directories(kabutour PUBLIC ${KABU_TREE}/tests)
target_link_libraries(kabutour PUBLIC kabuheadless)
foreach(library kabucore kabufiles kabuheadless kabutour)
  target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
endforeach()

# The pixel loops of the core and the backend are hot and compare nothing
# from the files: their comparisons are not traced (edges are still counted).
kabu_pick(KABU_PIXEL_SOURCES "^src/(core|platform)/.*\\.cpp$")
set_property(SOURCE ${KABU_PIXEL_SOURCES} APPEND PROPERTY COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
# Whole-surface copies and the headless present take fixed rectangles; they
# run without address checks, which would cost more than the rest together.
kabu_pick(KABU_BLIT_SOURCES "^src/(core/blit|core/surfaces|platform/headless/headless_backend)\\.cpp$")
set_property(SOURCE ${KABU_BLIT_SOURCES} APPEND PROPERTY COMPILE_OPTIONS -fno-sanitize=address)

add_executable(save_fuzzer ${KABU_TREE}/tests/fuzz/save_fuzzer.cpp)
target_link_options(save_fuzzer PRIVATE -fsanitize=fuzzer)
target_link_libraries(save_fuzzer PRIVATE kabutour)

kabu_pick(KABU_RUNNER_SOURCES "^tools/runner/.*\\.cpp$")
add_executable(runner ${KABU_RUNNER_SOURCES})
target_link_libraries(runner PRIVATE kabuheadless)
