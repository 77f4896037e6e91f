# SPDX-License-Identifier: GPL-2.0-or-later
# The two packages of the Windows build (the `packages` target):
#   kabusim-<version>-windows-x64.zip   the folder kabusim/ with kabusim.exe,
#                                       data/, readme.txt, COPYING.txt (the
#                                       GPL) and THIRD_PARTY_NOTICES.txt
#   kabusim-<version>-setup.exe         the NSIS installer of the same files
# kabusim.exe is shipped stripped of its debugging information; the text
# files are UTF-8 with a byte-order mark and CR LF line ends, as Notepad
# reads them everywhere (the font licence of data/ too).
set(KABU_PACKAGE_NAME kabusim-${PROJECT_VERSION})
set(KABU_STAGE ${CMAKE_BINARY_DIR}/package/kabusim)
set(KABU_ZIP ${CMAKE_BINARY_DIR}/${KABU_PACKAGE_NAME}-windows-x64.zip)
set(KABU_SETUP ${CMAKE_BINARY_DIR}/${KABU_PACKAGE_NAME}-setup.exe)
set(KABU_PACKAGING ${CMAKE_SOURCE_DIR}/packaging/windows)
find_program(KABU_STRIP ${KABU_MINGW}-strip REQUIRED)
find_program(KABU_ZIP_TOOL zip REQUIRED)
find_program(KABU_MAKENSIS makensis REQUIRED)

add_custom_command(
  OUTPUT ${KABU_STAGE}/.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${KABU_STAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KABU_STAGE}
  COMMAND ${KABU_STRIP} -o ${KABU_STAGE}/kabusim.exe $<TARGET_FILE:kabusim>
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/data ${KABU_STAGE}/data
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KABU_STAGE}/data/.stamp
  COMMAND ${CMAKE_COMMAND} -DIN=${KABU_PACKAGING}/readme.txt -DOUT=${KABU_STAGE}/readme.txt
          -DVERSION=${PROJECT_VERSION} -P ${KABU_PACKAGING}/readme.cmake
  COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/COPYING -DOUT=${KABU_STAGE}/COPYING.txt
          -DVERSION=${PROJECT_VERSION} -P ${KABU_PACKAGING}/readme.cmake
  COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/THIRD_PARTY_NOTICES.txt -DOUT=${KABU_STAGE}/THIRD_PARTY_NOTICES.txt
          -DVERSION=${PROJECT_VERSION} -P ${KABU_PACKAGING}/readme.cmake
  COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_BINARY_DIR}/data/IPA_Font_License.txt
          -DOUT=${KABU_STAGE}/data/IPA_Font_License.txt -DVERSION=${PROJECT_VERSION} -P ${KABU_PACKAGING}/readme.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${KABU_STAGE}/.stamp
  DEPENDS kabusim gamedata ${CMAKE_BINARY_DIR}/data/.stamp ${KABU_PACKAGING}/readme.txt ${KABU_PACKAGING}/readme.cmake
          ${CMAKE_SOURCE_DIR}/COPYING ${CMAKE_SOURCE_DIR}/THIRD_PARTY_NOTICES.txt
  COMMENT "Gathering the files of the Windows packages")

add_custom_command(
  OUTPUT ${KABU_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KABU_ZIP}
  COMMAND ${KABU_ZIP_TOOL} -q -X -r ${KABU_ZIP} kabusim -x kabusim/.stamp
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
  DEPENDS ${KABU_STAGE}/.stamp
  COMMENT "Packing ${KABU_PACKAGE_NAME}-windows-x64.zip")

add_custom_command(
  OUTPUT ${KABU_SETUP}
  COMMAND ${KABU_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DSTAGE=${KABU_STAGE} -DICON=${KABU_ICON}
          -DOUTFILE=${KABU_SETUP} ${KABU_PACKAGING}/installer.nsi
  DEPENDS ${KABU_STAGE}/.stamp ${KABU_PACKAGING}/installer.nsi ${KABU_ICON}
  COMMENT "Making the installer ${KABU_PACKAGE_NAME}-setup.exe")

add_custom_target(packages DEPENDS ${KABU_ZIP} ${KABU_SETUP})
