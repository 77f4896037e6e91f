# SPDX-License-Identifier: GPL-2.0-or-later
# Copies of sources whose narrow string literals carry their code page 932
# bytes as escapes, for compilers without an execution character set option
# (clang, emscripten): the same bytes as the GCC build's -fexec-charset.
#
#   kabu_convert_sources(CONVERTER OUTPUT_ROOT RESULT_VARIABLE SOURCE...)
#
# CONVERTER is the converter's target or path; each SOURCE, a path relative
# to the repository, is copied to the same relative path under OUTPUT_ROOT.
function(kabu_convert_sources converter output_root result)
  set(outputs "")
  foreach(relative ${ARGN})
    set(output ${output_root}/${relative})
    get_filename_component(output_dir ${output} DIRECTORY)
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
      COMMAND ${converter} ${CMAKE_SOURCE_DIR}/${relative} ${output}
      DEPENDS ${CMAKE_SOURCE_DIR}/${relative} ${converter}
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  set(${result} ${outputs} PARENT_SCOPE)
endfunction()
