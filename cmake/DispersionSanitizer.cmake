# dispersion_link_sanitizer_setup(<folder>)
#   Links the sanitizer build's setup (sanitize/) into every executable defined in the folder or
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
