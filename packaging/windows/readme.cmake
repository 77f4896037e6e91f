# SPDX-License-Identifier: GPL-2.0-or-later
# Writes a text file of the Windows packages (the read-me, the licences, the
# notices) as Windows' Notepad reads it everywhere: UTF-8 with a byte-order
# mark, lines ending in CR LF, the version filled in.
#   cmake -DIN=readme.txt -DOUT=... -DVERSION=... -P readme.cmake
cmake_minimum_required(VERSION 3.20)
file(READ ${IN} text)
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 BOM)
file(WRITE ${OUT} "${BOM}${text}")
