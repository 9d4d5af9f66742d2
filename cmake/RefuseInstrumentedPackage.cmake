# Read by cpack before it packs: a build with sanitizers or fuzzing instrumentation is for
# testing only and must not become a package.
if(CPACK_MONTAGE_INSTRUMENTED)
  message(FATAL_ERROR "This build is instrumented (MONTAGE_SANITIZE or MONTAGE_FUZZ); make the "
                      "package from a Release build without them.")
endif()
