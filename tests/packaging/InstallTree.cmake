# Installs a build into a prefix of its own, as `cmake --install BUILD --prefix PREFIX` does for
# a user, after clearing what an earlier run left there so that nothing stale can pass for an
# installed file.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTree.cmake
file(REMOVE_RECURSE "${PREFIX}")
unset(ENV{DESTDIR})
execute_process(
  COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD_DIR} --prefix ${PREFIX} failed: ${status}")
endif()
