# Helpers shared by the subdirectories.

# brannoch_test(NAME SOURCES... [LIBS ...]): a GoogleTest executable registered
# with CTest. Under the Windows presets CTest runs it through the Wine wrapper
# of the toolchain (CMAKE_CROSSCOMPILING_EMULATOR), inside the build's one Wine prefix.
function(brannoch_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(BRANNOCH_WINDOWS)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wineprefix LABELS "windows;${T_LABELS}"
      ENVIRONMENT "BRANNOCH_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
  else()
    set_tests_properties(${name} PROPERTIES LABELS "native;${T_LABELS}")
  endif()
endfunction()

# brannoch_test_glob(VAR PATTERN): the files of PATTERN (relative to the
# current folder), and a configure error naming it when there is none, so that
# a moved or renamed folder does not drop its tests without a word.
function(brannoch_test_glob var pattern)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
  if(NOT files)
    file(RELATIVE_PATH dir ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    message(FATAL_ERROR "No test sources ${dir}/${pattern}")
  endif()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# The one Wine prefix of a Windows build's test run, made before the first test
# by the build's runner: wine-run (x86_64) or wine32-run (i686).
function(brannoch_wineprefix_fixture)
  add_test(NAME wineprefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --boot)
  set_tests_properties(wineprefix PROPERTIES FIXTURES_SETUP wineprefix LABELS windows
    ENVIRONMENT "BRANNOCH_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
endfunction()

# brannoch_library(NAME GLOBS ... [DEPS ...] [EXCLUDE regex...]): a static library of
# the globbed sources (an interface library while there are none yet).
function(brannoch_library name)
  cmake_parse_arguments(L "" "" "GLOBS;DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${L_GLOBS})
  foreach(x ${L_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "${x}")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()
