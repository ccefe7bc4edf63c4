# Files compiled into a target as byte lists: zyl_embed_files(target FILE ...) makes, for each file
# of the current source folder, "<folder from the root>/<name with dots as underscores>.inc" in the
# build tree, which a source includes inside an array's braces:
#   constexpr uint8_t kSkinPng[] = {
#   #include "apps/player/resources/skin_140_png.inc"
#   };
# Run as a script (cmake -DINPUT=... -DOUTPUT=... -P ZylEmbed.cmake) it writes one such list.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  # Lines of 32 bytes keep the generated file readable for the compiler's messages.
  string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
  file(WRITE "${OUTPUT}.tmp" "${bytes}\n")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

set(ZYL_EMBED_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(zyl_embed_files target)
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  set(root "${PROJECT_BINARY_DIR}/embedded")
  set(outputs)
  foreach(name IN LISTS ARGN)
    string(REPLACE "." "_" stem "${name}")
    set(output "${root}/${folder}/${stem}.inc")
    add_custom_command(OUTPUT "${output}"
                       COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_CURRENT_SOURCE_DIR}/${name} -DOUTPUT=${output}
                               -P "${ZYL_EMBED_SCRIPT}"
                       DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}" "${ZYL_EMBED_SCRIPT}"
                       COMMENT "Embedding ${folder}/${name}" VERBATIM)
    list(APPEND outputs "${output}")
  endforeach()
  target_sources(${target} PRIVATE ${outputs})
  target_include_directories(${target} PRIVATE "${root}")
endfunction()
