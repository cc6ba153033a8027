# Test registration and folder helpers.
#
# dispersion_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI] [LABELS <labels...>])
#   Builds a Qt Test executable and registers it with CTest. GUI tests (a window or a
#   GL context) run under a private Xvfb display with Mesa's software renderer.

set(DISPERSION_XVFB_RUN ${CMAKE_SOURCE_DIR}/tests/xvfb-test.sh)

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
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;LIBGL_ALWAYS_SOFTWARE=1;ASAN_OPTIONS=detect_leaks=0")
  if(NOT T_GUI)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
  endif()
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
