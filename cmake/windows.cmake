# SPDX-License-Identifier: GPL-2.0-or-later
# Windows, cross-compiled with mingw-w64 (cmake/mingw-w64-toolchain.cmake):
# the game, the scripted runner and the test suites as .exe files that need
# only Windows' own DLLs, and the zip and the installer.
# The tests find the sources and this folder by absolute path; Wine shows the
# Unix root as drive Z:.
set(KABU_TEST_DRIVE "Z:" CACHE STRING "The drive under which the tests see absolute paths of this machine")

enable_language(RC)
target_compile_definitions(kabu_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
# One .exe each, with the C and C++ runtimes and winpthread linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

kabu_library(kabuwin32 "^src/platform/win32/.*\\.cpp$" "/win32_(main|paths|file_steps|data_folder)\\.cpp$")
target_link_libraries(kabuwin32 PUBLIC kabushared kabufiles gdi32 user32 winmm)

# The game: icon, version and manifest (per-monitor DPI awareness) as resources.
set(KABU_ICON ${CMAKE_BINARY_DIR}/icons/kabusim.ico)
set(KABU_MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/kabusim.manifest)
string(REPLACE "." "," KABU_VERSION_COMMAS "${PROJECT_VERSION}.0")
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/kabusim.rc.in ${CMAKE_BINARY_DIR}/kabusim.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/kabusim.rc PROPERTIES OBJECT_DEPENDS
                            "${CMAKE_BINARY_DIR}/data/.stamp;${KABU_MANIFEST}")
add_executable(kabusim WIN32 ${KABU_TREE}/src/platform/win32/win32_main.cpp ${CMAKE_BINARY_DIR}/kabusim.rc)
target_link_libraries(kabusim PRIVATE kabuwin32)
add_dependencies(kabusim gamedata)

kabu_pick(KABU_RUNNER_SOURCES "^tools/runner/.*\\.cpp$")
add_executable(runner ${KABU_RUNNER_SOURCES})
target_link_libraries(runner PRIVATE kabuheadless)
add_dependencies(runner gamedata)

include(${CMAKE_SOURCE_DIR}/packaging/windows/packages.cmake)

if(NOT KABU_TESTS)
  return()
endif()

kabu_test_support("^tests/windows/support/.*\\.cpp$")
target_link_libraries(kabutestsupport PUBLIC kabuwin32)
target_compile_definitions(kabutestsupport PUBLIC KABU_SOURCE_DIR="${KABU_TEST_DRIVE}${CMAKE_SOURCE_DIR}"
                                                  KABU_BINARY_DIR="${KABU_TEST_DRIVE}${CMAKE_BINARY_DIR}")
# Every suite but the two of the Linux side only: the asset generator's
# output (checked where it is made) and the FluidSynth music of the SDL2
# backend. The Windows music has its own.
kabu_pick(KABU_TEST_SOURCES "^tests/([a-z0-9_]*|windows/[a-z0-9_]*)_test\\.cpp$" "/(assets|shell_music)_test\\.cpp$")
foreach(test_source ${KABU_TEST_SOURCES})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source})
  target_link_libraries(${test_name} PRIVATE kabutestsupport gtest_main)
  add_dependencies(${test_name} runner)
endforeach()
