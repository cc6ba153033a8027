# Test registration and folder helpers.
#
# dispersion_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI] [LABELS <labels...>])
#   Builds a Qt Test executable and registers it with CTest. GUI tests (a window or a
#   GL context) run under a private Xvfb display with Mesa's software renderer.

set(DISPERSION_XVFB_RUN ${CMAKE_SOURCE_DIR}/tests/xvfb-test.sh)
set(DISPERSION_GUI_ENVIRONMENT QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 ASAN_OPTIONS=detect_leaks=0)

function(dispersion_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
  if(T_GUI)
    add_test(NAME ${T_NAME} COMMAND ${DISPERSION_XVFB_RUN} $<TARGET_FILE:${T_NAME}>)
    set(labels gui ${T_LABELS})
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(labels pure ${T_LABELS})
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${labels}"
    TIMEOUT 300
    ENVIRONMENT "${DISPERSION_GUI_ENVIRONMENT}")
  if(NOT T_GUI)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
  endif()
endfunction()

# dispersion_add_test_variant(NAME <name> TARGET <GUI test program> ENVIRONMENT <var=value...>)
#   Runs a GUI test program once more, with extra environment variables (say, to mimic another driver).
function(dispersion_add_test_variant)
  cmake_parse_arguments(V "" "NAME;TARGET" "ENVIRONMENT" ${ARGN})
  add_test(NAME ${V_NAME} COMMAND ${DISPERSION_XVFB_RUN} $<TARGET_FILE:${V_TARGET}>)
  set_tests_properties(${V_NAME} PROPERTIES
    LABELS gui
    TIMEOUT 300
    ENVIRONMENT "${DISPERSION_GUI_ENVIRONMENT};${V_ENVIRONMENT}")
endfunction()

# Adds every direct subfolder of the current source folder that has a CMakeLists.txt.
function(dispersion_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# dispersion_add_reproduction_test(NAME <name> GENERATOR <target> ARGS <args...> COMPARE <generated=committed...>)
#   A `slow` test that reruns a generator into a fresh folder (@OUT@ in ARGS) and fails unless it
#   writes exactly the listed files, each equal byte for byte to its committed file (relative to
#   the source root).
function(dispersion_add_reproduction_test)
  cmake_parse_arguments(R "" "NAME;GENERATOR" "ARGS;COMPARE" ${ARGN})
  string(REPLACE ";" "|" args "${R_ARGS}")
  string(REPLACE ";" "|" compare "${R_COMPARE}")
  add_test(NAME ${R_NAME}
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:${R_GENERATOR}>
      "-DARGS=${args}"
      "-DCOMPARE=${compare}"
      -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -DOUTPUT_DIR=${CMAKE_CURRENT_BINARY_DIR}/regenerated
      -P ${CMAKE_SOURCE_DIR}/cmake/CheckReproduces.cmake)
  set_tests_properties(${R_NAME} PROPERTIES LABELS "pure;slow" TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
