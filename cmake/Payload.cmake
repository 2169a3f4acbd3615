# The payload the installer carries: packed by the host's fcc and linked into
# the installer as resource type "FCC", id 1.
#
# brannoch_embed_payload(TARGET)
#   Makes ${CMAKE_BINARY_DIR}/payload/Brannoch.FCC at build time and links it
#   into TARGET (a Windows executable) with windres. What goes into it:
#   - BRANNOCH_PAYLOAD_FILE set: that file, byte for byte (damaged payloads for
#     tests); fcc is not needed.
#   - BRANNOCH_PAYLOAD_DIR left at the source tree's payload/: the default
#     payload, 23 members: "brannoch.exe" (the demo program of this build,
#     stripped), "StarMath.ttf" (BRANNOCH_FONT_FILE, Debian's OpenSymbol), the
#     files of payload/ in name order, and last a generated
#     "Zone de donnees reservee.dat" whose size brings the expanded archive to
#     exactly 4,552,500 bytes; name fields of 42 bytes (the longest name has 41).
#   - BRANNOCH_PAYLOAD_DIR naming another folder: "brannoch.exe" first, then
#     that folder's files in name order (names starting with a dot left out),
#     name fields one byte longer than the longest name, no padding.
#   The packing needs BRANNOCH_FCC, the fcc program of a native build.
#
# The geometry of the default payload, shared with fcc's own check of it.
set(BRANNOCH_PAYLOAD_NAME_FIELD 42)
set(BRANNOCH_PAYLOAD_SIZE 4552500)
set(BRANNOCH_PAYLOAD_PAD_MEMBER "Zone de donnees reservee.dat")
set(BRANNOCH_FONT_FILE "/usr/share/fonts/truetype/libreoffice/opens___.ttf" CACHE FILEPATH
    "The TrueType font carried as StarMath.ttf (Debian package fonts-opensymbol)")

get_filename_component(_brannoch_default_payload_dir "${CMAKE_CURRENT_LIST_DIR}/../payload" ABSOLUTE)

# brannoch_payload_members(VAR DIR): the files of DIR that become members, in name order.
function(brannoch_payload_members var dir)
  if(CMAKE_SCRIPT_MODE_FILE)
    file(GLOB files LIST_DIRECTORIES false "${dir}/*")
  else()
    file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS "${dir}/*")
  endif()
  list(FILTER files EXCLUDE REGEX "/\\.[^/]*$")
  list(SORT files)
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# brannoch_fcc_pack_arguments(VAR OUTPUT PROGRAM FONT DIR DEFAULT): the fcc
# command line that packs a payload (DEFAULT true: the default geometry).
function(brannoch_fcc_pack_arguments var output program font dir default)
  brannoch_payload_members(files "${dir}")
  if(default)
    set(args pack "${output}" --name-field ${BRANNOCH_PAYLOAD_NAME_FIELD} --pad-to ${BRANNOCH_PAYLOAD_SIZE}
        --pad-member "${BRANNOCH_PAYLOAD_PAD_MEMBER}" "${program}" "${font}" ${files})
  else()
    set(args pack "${output}" "${program}" ${files})
  endif()
  set(${var} ${args} PARENT_SCOPE)
endfunction()

function(brannoch_embed_payload target)
  set(dir "${CMAKE_BINARY_DIR}/payload")
  set(payload "${dir}/Brannoch.FCC")
  file(MAKE_DIRECTORY "${dir}/members")

  if(BRANNOCH_PAYLOAD_FILE)
    add_custom_command(OUTPUT "${payload}"
      COMMAND ${CMAKE_COMMAND} -E copy "${BRANNOCH_PAYLOAD_FILE}" "${payload}"
      DEPENDS "${BRANNOCH_PAYLOAD_FILE}"
      COMMENT "Payload: ${BRANNOCH_PAYLOAD_FILE} as it is" VERBATIM)
  else()
    if(NOT BRANNOCH_FCC)
      message(FATAL_ERROR "brannoch_embed_payload: set BRANNOCH_FCC to the fcc of a native build "
                          "(build/native/tools/fcc/fcc), or BRANNOCH_PAYLOAD_FILE to a ready payload")
    endif()
    get_filename_component(chosen "${BRANNOCH_PAYLOAD_DIR}" ABSOLUTE)
    if(chosen STREQUAL _brannoch_default_payload_dir)
      set(default TRUE)
    else()
      set(default FALSE)
    endif()
    # The program is stripped: the payload carries what a user runs. strip
    # writes the time of day into a PE header unless SOURCE_DATE_EPOCH says
    # otherwise: 0, as the link writes.
    set(program "${dir}/members/brannoch.exe")
    if(CMAKE_STRIP)
      set(copy_program COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
        ${CMAKE_STRIP} --strip-all -o "${program}" $<TARGET_FILE:brannoch>)
    else()
      set(copy_program COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:brannoch> "${program}")
    endif()
    set(font "${dir}/members/StarMath.ttf")
    set(copy_font)
    set(font_dep)
    if(default)
      if(NOT EXISTS "${BRANNOCH_FONT_FILE}")
        message(FATAL_ERROR "brannoch_embed_payload: ${BRANNOCH_FONT_FILE} missing (Debian package fonts-opensymbol)")
      endif()
      set(copy_font COMMAND ${CMAKE_COMMAND} -E copy "${BRANNOCH_FONT_FILE}" "${font}")
      set(font_dep "${BRANNOCH_FONT_FILE}")
    endif()
    brannoch_fcc_pack_arguments(args "${payload}" "${program}" "${font}" "${chosen}" ${default})
    brannoch_payload_members(files "${chosen}")
    add_custom_command(OUTPUT "${payload}"
      ${copy_program}
      ${copy_font}
      COMMAND "${BRANNOCH_FCC}" ${args}
      DEPENDS brannoch "${BRANNOCH_FCC}" ${font_dep} ${files}
      COMMENT "Payload: packing ${chosen} with fcc" VERBATIM)
  endif()

  # The resource object is made by hand so that it follows the payload file.
  set(rc "${dir}/Payload.rc")
  set(obj "${dir}/Payload.rc.o")
  file(WRITE "${rc}.in" "1 FCC \"${payload}\"\n")
  configure_file("${rc}.in" "${rc}" COPYONLY)
  add_custom_command(OUTPUT "${obj}"
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i "${rc}" -o "${obj}"
    DEPENDS "${rc}" "${payload}"
    COMMENT "Payload: resource FCC 1" VERBATIM)
  set_source_files_properties("${obj}" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE "${obj}")
endfunction()
