# The sanitizer build's setup (leakCheckSetup.cpp), carried by every executable of that build:
# the leak suppressions for the system libraries, and shared libraries kept loaded until exit.
if(DISPERSION_SANITIZE)
  add_library(sanitizer_setup OBJECT ${CMAKE_CURRENT_LIST_DIR}/leakCheckSetup.cpp)
  # Libraries loaded at run time (Mesa's libGLX) must find this dlclose, not the C library's.
  target_link_options(sanitizer_setup INTERFACE -Wl,--export-dynamic-symbol=dlclose)
endif()

# dispersion_link_sanitizer_setup(<folder>)
#   Links the sanitizer build's setup into every executable defined in the folder or
#   below it: the program, the test programs, the generators and the benchmarks. Shared
#   libraries are left out: they are loaded into one of those executables.
function(dispersion_link_sanitizer_setup folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_libraries(${target} PRIVATE sanitizer_setup)
    endif()
  endforeach()
  get_property(children DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(child ${children})
    dispersion_link_sanitizer_setup(${child})
  endforeach()
endfunction()
