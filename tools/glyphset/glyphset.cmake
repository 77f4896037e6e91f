# SPDX-License-Identifier: GPL-2.0-or-later
# The characters of the game's texts, gathered from its sources at build time,
# so a test can check that the glyph file of data/ holds them all. Sets
# KABU_GLYPHS to the generated source file. KABU_ROOT is the repository.
file(GLOB_RECURSE KABU_TEXT_SOURCES CONFIGURE_DEPENDS ${KABU_ROOT}/src/*.cpp ${KABU_ROOT}/src/*.h)
add_executable(glyphset ${KABU_ROOT}/tools/glyphset/glyphset.cpp)
set(KABU_GLYPHS ${CMAKE_BINARY_DIR}/generated/game_text_glyphs.cpp)
add_custom_command(
  OUTPUT ${KABU_GLYPHS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND glyphset ${KABU_GLYPHS} ${KABU_TEXT_SOURCES}
  DEPENDS glyphset ${KABU_TEXT_SOURCES}
  COMMENT "Gathering the characters of the game's texts")
