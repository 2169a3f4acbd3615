# The version information and application manifest linked into the installer.
#
# brannoch_version_resource(TARGET RC FILE...)
#   Compiles RC (relative to the calling folder) with windres into TARGET. RC
#   includes the generated "BrannochVersion.h", which defines
#   BRANNOCH_VERSION_BINARY ("1,0,0,0") and BRANNOCH_VERSION_TEXT ("1.0.0.0")
#   from BRANNOCH_VERSION; the FILEs beside it (the manifest) are what it
#   names, and are found in RC's folder.
set(BRANNOCH_VERSION "1.0.0.0" CACHE STRING
    "Version of INSTALL.EXE in its version resource: one to four numbers of 0 to 65535, the missing ones 0")

function(brannoch_version_resource target rc)
  if(NOT BRANNOCH_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    message(FATAL_ERROR "BRANNOCH_VERSION \"${BRANNOCH_VERSION}\": one to four numbers separated by dots, such as 1.2.0.7")
  endif()
  string(REPLACE "." ";" parts "${BRANNOCH_VERSION}")
  set(numbers)
  foreach(i RANGE 3)
    list(LENGTH parts n)
    if(i LESS n)
      list(GET parts ${i} p)
      string(REGEX REPLACE "^0+([0-9])" "\\1" p "${p}")
      string(LENGTH "${p}" digits)
      if(digits GREATER 5 OR p GREATER 65535)
        message(FATAL_ERROR "BRANNOCH_VERSION \"${BRANNOCH_VERSION}\": ${p} is over 65535")
      endif()
    else()
      set(p 0)
    endif()
    list(APPEND numbers ${p})
  endforeach()
  list(JOIN numbers "," binary)
  list(JOIN numbers "." text)

  get_filename_component(rc "${rc}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(rc_dir "${rc}" DIRECTORY)
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/version")
  set(obj "${dir}/Version.rc.o")
  # Rewritten only when the version changes, so that nothing else rebuilds.
  file(CONFIGURE OUTPUT "${dir}/BrannochVersion.h" CONTENT
       "#define BRANNOCH_VERSION_BINARY ${binary}\n#define BRANNOCH_VERSION_TEXT \"${text}\"\n")
  set(deps)
  foreach(f ${ARGN})
    get_filename_component(f "${f}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND deps "${f}")
  endforeach()
  add_custom_command(OUTPUT "${obj}"
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I "${dir}" -I "${rc_dir}" -i "${rc}" -o "${obj}"
    DEPENDS "${rc}" "${dir}/BrannochVersion.h" ${deps}
    COMMENT "Version ${text} and manifest" VERBATIM)
  set_source_files_properties("${obj}" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE "${obj}")
endfunction()
