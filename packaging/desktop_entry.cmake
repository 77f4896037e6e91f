# SPDX-License-Identifier: GPL-2.0-or-later
# Writes the desktop entry at install time (DESTDIR honoured). Its Exec= line
# runs the installed launcher, quoted as desktop entries require so that any
# prefix works: inside double quotes a backslash, double quote, backtick or
# dollar sign takes a backslash; then, as in every string value, each
# backslash is written twice; a percent sign is written twice.
set(launcher "${CMAKE_INSTALL_PREFIX}/${KABU_PROGRAM_DIR}/kabusim-launcher")
set(quoted "${launcher}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
string(REPLACE "\n" "\\n" quoted "${quoted}")
string(REPLACE "\t" "\\t" quoted "${quoted}")
string(REPLACE "\r" "\\r" quoted "${quoted}")
set(KABU_EXEC "\"${quoted}\"")

set(desktop "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/kabusim.desktop")
message(STATUS "Installing: ${desktop}")
configure_file("${KABU_DESKTOP_TEMPLATE}" "${desktop}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${desktop}")
