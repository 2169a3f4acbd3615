# Packs the default payload as the installer build does, with a stand-in for
# the demo program, then checks its geometry with fcc list and expands it
# with fcc extract.  cmake -DFCC=... [-DEMULATOR=...] -DSOURCE_DIR=... -DWORK=... -P this
# fcc is started through EMULATOR when the build has one (native32).
include(${SOURCE_DIR}/cmake/Payload.cmake)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/members" "${WORK}/out")
string(REPEAT "MZ stand-in for the demo program " 40000 program)
file(WRITE "${WORK}/members/brannoch.exe" "${program}")
file(COPY_FILE "${BRANNOCH_FONT_FILE}" "${WORK}/members/StarMath.ttf")
set(payload "${WORK}/out/Brannoch.FCC")
brannoch_fcc_pack_arguments(args "${payload}" "${WORK}/members/brannoch.exe" "${WORK}/members/StarMath.ttf"
                            "${SOURCE_DIR}/payload" TRUE)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${rc}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${EMULATOR} "${FCC}" ${args})
run(${EMULATOR} "${FCC}" list "${payload}")
string(REGEX MATCHALL "[^\n]+" lines "${out}")
list(LENGTH lines n)
list(GET lines 0 first)
list(GET lines -1 summary)
if(NOT n EQUAL 24 OR NOT first MATCHES "^brannoch.exe\t1320000$"
   OR NOT summary MATCHES "^23 membres, L = 42, 4552500 octets une fois étendu, ")
  message(FATAL_ERROR "unexpected default payload:\n${out}")
endif()
if(NOT out MATCHES "\nStarMath.ttf\t" OR NOT out MATCHES "\nLogo Brannoch.jpg\t")
  message(FATAL_ERROR "font or picture missing:\n${out}")
endif()
# 5 + 23 x (42 + 4) = 1,063: where the table ends and the data begin.
file(READ "${payload}" head LIMIT 6 HEX)
if(NOT head MATCHES "^........7801$")
  message(FATAL_ERROR "zlib header of level 1 expected after the size field, got ${head}")
endif()

run(${EMULATOR} "${FCC}" extract "${payload}")
foreach(f "Logo Brannoch.jpg" "Liste des articles a reapprovisionner.lst" "Fiche d'article.frm")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${SOURCE_DIR}/payload/${f}" "${WORK}/out/${f}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "${f} differs after extraction")
  endif()
endforeach()
file(GLOB extracted "${WORK}/out/*")
list(LENGTH extracted count)
if(NOT count EQUAL 24 OR EXISTS "${WORK}/out/Brannoch.CTN")
  message(FATAL_ERROR "expected the payload and its 23 members only: ${extracted}")
endif()
file(SIZE "${WORK}/out/${BRANNOCH_PAYLOAD_PAD_MEMBER}" pad)
message(STATUS "default payload: 23 members, pad member ${pad} bytes")
