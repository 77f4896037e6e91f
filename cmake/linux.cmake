# SPDX-License-Identifier: GPL-2.0-or-later
# Linux: the game on SDL2 and FluidSynth, the host tools, the tests and the
# benchmarks, the install rules and the Debian package.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2 fluidsynth x11)
# Fonts are rendered at build time only, by the asset generator.
pkg_check_modules(SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)

kabu_library(kabusdl "^src/platform/sdl/.*\\.cpp$" "/sdl_main\\.cpp$")
target_link_libraries(kabusdl PUBLIC kabushared kabufiles PkgConfig::SDL2)
# SDL.h would bring in every x86 intrinsic header, which nothing here uses:
# that alone doubled the time to compile each file that includes it.
target_compile_definitions(kabusdl PUBLIC SDL_DISABLE_IMMINTRIN_H)

add_executable(kabusim ${KABU_TREE}/src/platform/sdl/sdl_main.cpp)
target_link_libraries(kabusim PRIVATE kabusdl)

# The host tools, which the other platforms' builds take from this one
# (host_tools.cmake). Only the asset generator is needed to play.
file(GLOB KABU_ASSETGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/assetgen/*.cpp)
add_executable(assetgen ${KABU_ASSETGEN_SOURCES})
target_link_libraries(assetgen PRIVATE kabuheadless PkgConfig::SDL2_TTF)
# Its files share heavy headers: compiled as one, the first build of the
# game takes much less time.
set_target_properties(assetgen PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
add_executable(glyphset EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/glyphset/glyphset.cpp)
add_executable(cp932_literals EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/cp932_literals/cp932_literals.cpp)
foreach(tool glyphset cp932_literals)
  target_compile_options(${tool} PRIVATE -Wall -Wextra)
endforeach()
add_custom_target(host_tools DEPENDS assetgen glyphset cp932_literals)
export(TARGETS assetgen glyphset cp932_literals NAMESPACE host_ FILE ${CMAKE_BINARY_DIR}/host_tools.cmake)

# Install rules, desktop integration and the Debian package.
include(${CMAKE_SOURCE_DIR}/packaging/install.cmake)

if(NOT KABU_TESTS)
  return()
endif()

kabu_pick(KABU_RUNNER_SOURCES "^tools/runner/.*\\.cpp$")
add_executable(runner ${KABU_RUNNER_SOURCES})
target_link_libraries(runner PRIVATE kabuheadless)
add_executable(contactsheet ${CMAKE_SOURCE_DIR}/tools/contactsheet/main.cpp)
target_link_libraries(contactsheet PRIVATE kabuheadless)
# The desktop's scaler on one frame, for the browser test to compare the
# page's pixels with.
add_executable(scale_frame ${CMAKE_SOURCE_DIR}/tests/web/scale_frame.cpp)
target_link_libraries(scale_frame PRIVATE kabushared)

enable_testing()
include(GoogleTest)
kabu_test_support("^tests/support/test_platform\\.cpp$")
target_link_libraries(kabutestsupport PUBLIC kabusdl)
target_compile_definitions(kabutestsupport PUBLIC KABU_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KABU_BINARY_DIR="${CMAKE_BINARY_DIR}")
# One executable per test file, so each area builds on its own.
kabu_pick(KABU_TEST_SOURCES "^tests/[a-z0-9_]*_test\\.cpp$")
foreach(test_source ${KABU_TEST_SOURCES})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source})
  target_link_libraries(${test_name} PRIVATE kabutestsupport gtest_main)
  gtest_discover_tests(${test_name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endforeach()
# The whole-game scripts run the runner binary on the generated data.
add_dependencies(e2e_scripts_test runner)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB KABU_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  add_executable(kabubench ${KABU_BENCH})
  target_include_directories(kabubench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(kabubench PRIVATE kabuheadless kabusdl benchmark::benchmark benchmark::benchmark_main)
endif()

add_test(NAME install_layout COMMAND sh ${CMAKE_SOURCE_DIR}/tests/install_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(install_layout PROPERTIES TIMEOUT 120)
add_test(NAME program_exits COMMAND bash ${CMAKE_SOURCE_DIR}/tests/program_exits_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(program_exits PROPERTIES TIMEOUT 60)
add_test(NAME folder_link COMMAND bash ${CMAKE_SOURCE_DIR}/tests/folder_link/folder_link_test.sh ${CMAKE_BINARY_DIR}/data
         ${CMAKE_BINARY_DIR}/runner)
set_tests_properties(folder_link PROPERTIES TIMEOUT 120)
add_test(NAME layering COMMAND bash ${CMAKE_SOURCE_DIR}/tests/layering_test.sh ${CMAKE_SOURCE_DIR})
add_test(NAME replays_repeat COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/replays_repeat_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(replays_repeat PROPERTIES TIMEOUT 300)
