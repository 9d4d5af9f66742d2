# The Debian package of the installed tree: `cpack -G DEB` in a Release build folder (or the
# target "package") writes montage-designer_VERSION_ARCH.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME montage-designer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Larkfield")
set(CPACK_PACKAGE_CONTACT "Montage developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer of layouts for photo composites")
# Debian shows the long description as it is written, so it keeps its lines short.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Montage designs composites: one print that shows a whole group, such as a"
  "school class or a team, as a grid of portraits with an optional larger main"
  "image, names, caption lines, logos, a background, frames and drop shadows."
  "It previews a layout with sample pictures and renders it headless to PNG,"
  "JPEG or PDF.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Montage developers")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the program links are found by dpkg-shlibdeps (from dpkg-dev). The default
# face of a layout, "Arial", is drawn with Liberation Sans, its metric-compatible stand-in, which
# fontconfig finds at run time where no tool can see it, so its package is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")

# A sanitised or fuzzing build would make a package that needs the sanitizers' run-time
# libraries and runs several times slower; cpack refuses it instead.
if(MONTAGE_SANITIZE OR MONTAGE_FUZZ)
  set(CPACK_MONTAGE_INSTRUMENTED ON)
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/RefuseInstrumentedPackage.cmake)

include(CPack)
