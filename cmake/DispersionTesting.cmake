# Test registration and folder helpers.
#
# dispersion_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI] [LABELS <labels...>])
#   Builds a Qt Test executable and registers it with CTest. GUI tests (a window or a
#   GL context) run under a private Xvfb display with Mesa's software renderer.

# Registers test NAME running the test program PROGRAM, labelled `pure` or (GUI, on a private
# Xvfb display) `gui` and LABELS, with its platform's environment and ENVIRONMENT.
function(_dispersion_register_test)
  cmake_parse_arguments(R "GUI" "NAME;PROGRAM" "LABELS;ENVIRONMENT" ${ARGN})
  if(R_GUI)
    add_test(NAME ${R_NAME} COMMAND ${CMAKE_SOURCE_DIR}/tests/xvfb-test.sh $<TARGET_FILE:${R_PROGRAM}>)
    set(labels gui ${R_LABELS})
    set(environment QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1)
  else()
    add_test(NAME ${R_NAME} COMMAND ${R_PROGRAM})
    set(labels pure ${R_LABELS})
    set(environment QT_QPA_PLATFORM=offscreen)
  endif()
  list(APPEND environment ASAN_OPTIONS=detect_leaks=1 ${R_ENVIRONMENT})
  set_tests_properties(${R_NAME} PROPERTIES LABELS "${labels}" TIMEOUT 300 ENVIRONMENT "${environment}")
endfunction()

function(dispersion_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
  set(gui "")
  if(T_GUI)
    set(gui GUI)
  endif()
  _dispersion_register_test(NAME ${T_NAME} PROGRAM ${T_NAME} ${gui} LABELS ${T_LABELS})
endfunction()

# dispersion_add_test_variant(NAME <name> TARGET <GUI test program> ENVIRONMENT <var=value...>)
#   Runs a GUI test program once more, with extra environment variables (say, to mimic another driver).
function(dispersion_add_test_variant)
  cmake_parse_arguments(V "" "NAME;TARGET" "ENVIRONMENT" ${ARGN})
  _dispersion_register_test(NAME ${V_NAME} PROGRAM ${V_TARGET} GUI ENVIRONMENT ${V_ENVIRONMENT})
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
