# The job file reader needs Qt Core only: the target links expans_io, the rest of the windows stay out.
if(TARGET Qt6::Core)
  add_subdirectory(${EXPANS_ROOT}/ui/io io)
  expans_fuzz_target(NAME jobfile_fuzz SOURCES jobfile_fuzz.cpp LIBS expans_io)
endif()
