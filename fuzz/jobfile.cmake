# The job file reader needs Qt Core only (QJsonDocument); the rest of the windows stay out.
if(TARGET Qt6::Core)
  expans_fuzz_target(NAME jobfile_fuzz
                     SOURCES jobfile_fuzz.cpp ${EXPANS_ROOT}/ui/jobfile.cpp
                             ${EXPANS_ROOT}/ui/savefile.cpp
                     LIBS expans_core Qt6::Core)
  target_include_directories(jobfile_fuzz PRIVATE ${EXPANS_ROOT}/ui)
  target_compile_definitions(jobfile_fuzz PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endif()
