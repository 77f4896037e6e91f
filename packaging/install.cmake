# SPDX-License-Identifier: GPL-2.0-or-later
# Install rules, desktop integration and the Debian package.
#
# `cmake --install build --prefix P` gives P/bin/kabusim, P/bin/kabusim-launcher
# (games/ instead of bin/ under /usr and /usr/local, where Debian keeps games),
# P/share/kabusim/data/ (with the glyph file's font licence), the desktop entry
# P/share/applications/kabusim.desktop, the icon in P/share/icons/hicolor and
# the AppStream description in P/share/metainfo. The launcher finds the data
# from its own place, so the tree can be moved as a whole. `cpack -G DEB` in
# the build folder packs the same tree under /usr.

set(KABU_APP_ID "org.example.kabusim" CACHE STRING "AppStream component id (reverse domain name)")
set(KABU_SCREENSHOT_URL "https://kabusim.example.org/gallery" CACHE STRING
    "Address under which the gallery pictures (docs/gallery) are published, for software centres")
set(KABU_MAINTAINER "Kabusim maintainers <maintainers@kabusim.example.org>" CACHE STRING
    "Maintainer named in the Debian package")

# The program folder is chosen when installing, from the prefix then given.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\" OR CMAKE_INSTALL_PREFIX STREQUAL \"/usr/local\")
    set(KABU_PROGRAM_DIR games)
  else()
    set(KABU_PROGRAM_DIR bin)
  endif()
")
install(TARGETS kabusim RUNTIME DESTINATION \${KABU_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/kabusim-launcher DESTINATION \${KABU_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION share/kabusim/data PATTERN ".stamp" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons PATTERN "kabusim.ico" EXCLUDE)

configure_file(${CMAKE_SOURCE_DIR}/packaging/kabusim.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${KABU_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KABU_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# The desktop entry names the launcher by its installed path, quoted.
install(CODE "
  set(KABU_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/packaging/kabusim.desktop.in\")
  include(\"${CMAKE_SOURCE_DIR}/packaging/desktop_entry.cmake\")
")

# Copyright, changelog and manual pages, compressed as Debian wants them. The
# copyright carries the third-party notices and ends with the font licence
# that the glyph file of data/ is under.
set(KABU_NOTICES ${CMAKE_SOURCE_DIR}/THIRD_PARTY_NOTICES.txt)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/copyright
  COMMAND ${CMAKE_COMMAND} -E cat ${CMAKE_SOURCE_DIR}/packaging/copyright ${KABU_NOTICES}
          ${CMAKE_SOURCE_DIR}/packaging/IPA_Font_License.txt > ${CMAKE_BINARY_DIR}/packaging/copyright
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/copyright ${KABU_NOTICES} ${CMAKE_SOURCE_DIR}/packaging/IPA_Font_License.txt
  COMMENT "Joining the copyright, the notices and the font licence")
set(KABU_DOCS ${CMAKE_BINARY_DIR}/packaging/copyright)
foreach(doc changelog kabusim.6 kabusim-launcher.6)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/${doc}.gz
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/${doc} > ${CMAKE_BINARY_DIR}/packaging/${doc}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${doc}
    COMMENT "Compressing ${doc}")
  list(APPEND KABU_DOCS ${CMAKE_BINARY_DIR}/packaging/${doc}.gz)
endforeach()
add_custom_target(packagedocs ALL DEPENDS ${KABU_DOCS})
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/kabusim)
install(FILES ${CMAKE_BINARY_DIR}/packaging/kabusim.6.gz ${CMAKE_BINARY_DIR}/packaging/kabusim-launcher.6.gz
        DESTINATION share/man/man6)

# `cpack -G DEB`: kabusim_<version>_<arch>.deb. The libraries come from
# dpkg-shlibdeps; the soundfont is read at run time by path. The font is not:
# its glyphs are in data/.
set(CPACK_PACKAGE_NAME kabusim)
set(CPACK_PACKAGE_VENDOR "Kabusim")
set(CPACK_PACKAGE_CONTACT "${KABU_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stock-trading game set in Tokyo")
set(CPACK_PACKAGE_DESCRIPTION "A single-player stock-trading game. Thirty companies are listed on a market
whose share prices move every two seconds, and news makes them jump or crash.
Buy and sell in lots of 10,000 shares, support companies, read price graphs
and save the game. A ranking keeps the five best results. All texts are in
Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont")
# The box that tells a player started from the desktop that the game is
# already running (SDL shows it with zenity where the X server has no fonts).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_GENERATOR DEB)
include(CPack)
