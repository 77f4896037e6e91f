# SPDX-License-Identifier: GPL-2.0-or-later
# The Windows build, cross-compiled with mingw-w64 (scripts/build_windows.sh
# configures it with cmake/mingw-w64-toolchain.cmake): the game, the scripted
# runner and the test suites as .exe files that need only Windows' own DLLs.
# data/ and the icon come from the Linux build's asset generator, and the
# characters of the game's texts from the glyphset tool built for this machine.
set(KABU_HOST_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "The Linux build whose asset generator made data/ and icons/")
set(KABU_GLYPHSET ${CMAKE_BINARY_DIR}/host/glyphset CACHE FILEPATH "The glyphset tool built for this machine")
# The tests find the sources and this folder by absolute path; Wine shows the
# Unix root as drive Z:.
set(KABU_TEST_DRIVE "Z:" CACHE STRING "The drive under which the tests see absolute paths of this machine")

enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
# One .exe each, with the C and C++ runtimes and winpthread linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

file(GLOB_RECURSE KABU_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER KABU_SOURCES EXCLUDE REGEX "/src/platform/(sdl|headless|posix|win32|web)/")
set(KABU_WIN32 ${CMAKE_SOURCE_DIR}/src/platform/win32)
set(KABU_WIN32_FILE_SOURCES ${KABU_WIN32}/win32_paths.cpp ${KABU_WIN32}/win32_file_steps.cpp
                            ${KABU_WIN32}/win32_data_folder.cpp)
file(GLOB KABU_WIN32_SOURCES CONFIGURE_DEPENDS ${KABU_WIN32}/*.cpp)
list(REMOVE_ITEM KABU_WIN32_SOURCES ${KABU_WIN32_FILE_SOURCES} ${KABU_WIN32}/win32_main.cpp)
file(GLOB KABU_HEADLESS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/headless/*.cpp)

set_source_files_properties(${CMAKE_SOURCE_DIR}/src/platform/shared/options.cpp PROPERTIES
  COMPILE_DEFINITIONS KABU_VERSION="${PROJECT_VERSION}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/platform/shared/picture_scale.cpp PROPERTIES COMPILE_OPTIONS -O3)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/core/draw_context.cpp PROPERTIES COMPILE_OPTIONS -falign-loops=32)

add_library(kabucore STATIC ${KABU_SOURCES} ${KABU_WIN32_FILE_SOURCES})
target_include_directories(kabucore PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(kabucore PUBLIC shell32 ole32)

add_library(kabuwin32 STATIC ${KABU_WIN32_SOURCES})
target_link_libraries(kabuwin32 PUBLIC kabucore gdi32 user32 winmm)

# stb_image_write.h from libstb-dev, without the rest of /usr/include.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/stb-include)
file(CREATE_LINK /usr/include/stb ${CMAKE_BINARY_DIR}/stb-include/stb SYMBOLIC)
add_library(kabuheadless STATIC ${KABU_HEADLESS_SOURCES})
target_include_directories(kabuheadless SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/stb-include)
target_link_libraries(kabuheadless PUBLIC kabucore)

# data/ as the Linux build generated it, with the font licence.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/data/.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${KABU_HOST_BUILD}/data ${CMAKE_BINARY_DIR}/data
  DEPENDS ${KABU_HOST_BUILD}/data/.stamp
  COMMENT "Copying data/ from the Linux build")
add_custom_target(gamedata ALL DEPENDS ${CMAKE_BINARY_DIR}/data/.stamp)

# The game: icon, version and manifest (per-monitor DPI awareness) as resources.
set(KABU_ICON ${KABU_HOST_BUILD}/icons/kabusim.ico)
set(KABU_MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/kabusim.manifest)
string(REPLACE "." "," KABU_VERSION_COMMAS "${PROJECT_VERSION}.0")
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/kabusim.rc.in ${CMAKE_BINARY_DIR}/kabusim.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/kabusim.rc PROPERTIES OBJECT_DEPENDS "${KABU_ICON};${KABU_MANIFEST}")
add_executable(kabusim WIN32 ${KABU_WIN32}/win32_main.cpp ${CMAKE_BINARY_DIR}/kabusim.rc)
target_link_libraries(kabusim PRIVATE kabuwin32)

file(GLOB KABU_RUNNER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/runner/*.cpp)
add_executable(runner ${KABU_RUNNER_SOURCES})
target_link_libraries(runner PRIVATE kabuheadless)
add_dependencies(runner gamedata)

include(${CMAKE_SOURCE_DIR}/packaging/windows/packages.cmake)

if(NOT KABU_TESTS)
  return()
endif()

# GoogleTest from the sources of Debian's googletest package.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# Built with its own options: its sources name characters that code page
# 932 lacks, and it uses exceptions where they exist.
get_directory_property(KABU_OPTIONS COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${KABU_OPTIONS}")

set(KABU_GLYPHS ${CMAKE_BINARY_DIR}/generated/game_text_glyphs.cpp)
file(GLOB_RECURSE KABU_TEXT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
add_custom_command(
  OUTPUT ${KABU_GLYPHS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${KABU_GLYPHSET} ${KABU_GLYPHS} ${KABU_TEXT_SOURCES}
  DEPENDS ${KABU_GLYPHSET} ${KABU_TEXT_SOURCES}
  COMMENT "Gathering the characters of the game's texts")

# The shared helpers, with the Windows means (processes, locks, links) in
# place of the POSIX ones.
file(GLOB KABU_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/windows/support/*.cpp)
list(REMOVE_ITEM KABU_TEST_SUPPORT ${CMAKE_SOURCE_DIR}/tests/support/test_platform.cpp)
add_library(kabutestsupport STATIC ${KABU_TEST_SUPPORT} ${KABU_GLYPHS})
target_include_directories(kabutestsupport PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(kabutestsupport PUBLIC kabuheadless kabuwin32 gtest)
target_compile_definitions(kabutestsupport PUBLIC KABU_SOURCE_DIR="${KABU_TEST_DRIVE}${CMAKE_SOURCE_DIR}"
                                                  KABU_BINARY_DIR="${KABU_TEST_DRIVE}${CMAKE_BINARY_DIR}")
add_dependencies(kabutestsupport gamedata)
# Every suite but the two of the Linux side only: the asset generator's
# output (checked where it is made) and the FluidSynth music of the SDL2
# backend. The Windows music has its own.
file(GLOB KABU_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp ${CMAKE_SOURCE_DIR}/tests/windows/*_test.cpp)
list(REMOVE_ITEM KABU_TESTS ${CMAKE_SOURCE_DIR}/tests/assets_test.cpp ${CMAKE_SOURCE_DIR}/tests/shell_music_test.cpp)
foreach(test_source ${KABU_TESTS})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source})
  target_link_libraries(${test_name} PRIVATE kabutestsupport gtest_main)
  add_dependencies(${test_name} runner)
endforeach()
