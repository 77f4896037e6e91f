# SPDX-License-Identifier: GPL-2.0-or-later
# The browser, with emscripten (emcmake): the game as kabusim.js, .wasm and
# .data for the page (scripts/build_web.sh puts the site together), and for
# the tests the file-safety suites and the scripted runner under node.
# Bulk memory: surface copies and fills become single instructions (every
# browser since 2021).
target_compile_options(kabu_options INTERFACE -mbulk-memory)
add_link_options(-mbulk-memory)

kabu_library(kabuweb "^src/platform/web/.*\\.cpp$" "/web_main\\.cpp$")
target_link_libraries(kabuweb PUBLIC kabushared kabufiles)

# data/ goes into kabusim.data, without the licence texts (the site has them).
set(KABU_WEB_DATA "SHELL:--exclude-file *.txt" "SHELL:--exclude-file .stamp")
set(KABU_WEB_GLUE ${CMAKE_SOURCE_DIR}/src/platform/web/web_glue.js)
add_executable(kabusim ${KABU_TREE}/src/platform/web/web_main.cpp)
target_link_libraries(kabusim PRIVATE kabuweb)
target_link_options(kabusim PRIVATE
  "SHELL:--js-library ${KABU_WEB_GLUE}"
  -sENVIRONMENT=web -sINITIAL_MEMORY=33554432 -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=1048576
  -sEXPORTED_FUNCTIONS=_main,_webState,_webRestart,_webRunning,_webClockMs,_webHalt,_webSetView,_webPointer,_webKey,_webPicture,_webView
  -sEXPORTED_RUNTIME_METHODS=FS,UTF8ToString,addRunDependency,removeRunDependency
  -sLZ4=1 "SHELL:--preload-file ${CMAKE_BINARY_DIR}/data@/data" ${KABU_WEB_DATA})
set_target_properties(kabusim PROPERTIES LINK_DEPENDS "${KABU_WEB_GLUE};${CMAKE_BINARY_DIR}/data/.stamp")
add_dependencies(kabusim gamedata)

if(NOT KABU_TESTS)
  return()
endif()

# The suites that cut saves at every step, on emscripten's in-memory file
# system (the one the page keeps savedat/ in), with data/ embedded.
kabu_test_support("^tests/support/test_platform\\.cpp$")
target_compile_definitions(kabutestsupport PUBLIC KABU_SOURCE_DIR="/kabu" KABU_BINARY_DIR="/kabu")
foreach(suite file_safety_test state_crash_test)
  add_executable(${suite} ${KABU_TREE}/tests/${suite}.cpp)
  target_link_libraries(${suite} PRIVATE kabutestsupport gtest_main)
  target_link_options(${suite} PRIVATE -sINITIAL_MEMORY=67108864 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
    "SHELL:--embed-file ${CMAKE_BINARY_DIR}/data@/kabu/data" ${KABU_WEB_DATA})
  set_target_properties(${suite} PROPERTIES LINK_DEPENDS ${CMAKE_BINARY_DIR}/data/.stamp)
endforeach()

# The scripted runner under node, on the host's own files: the end-to-end
# scripts it plays must give the desktop runner's frames and saves byte for byte.
kabu_pick(KABU_RUNNER_SOURCES "^tools/runner/.*\\.cpp$")
add_executable(runner ${KABU_RUNNER_SOURCES})
target_link_libraries(runner PRIVATE kabuheadless)
target_link_options(runner PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sINITIAL_MEMORY=67108864
  -sALLOW_MEMORY_GROWTH=1)
