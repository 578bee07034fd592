# The Debian package (cpack -G DEB in the build folder): quorvane, with the programs, the data and
# the core library for developers. Its library dependencies come from dpkg-shlibdeps; the
# platform plugins and the fonts the program asks for are named here.
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "The Quorvane Lexicon developers")
set(CPACK_PACKAGE_CONTACT "The Quorvane Lexicon developers <developers@quorvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "name generator for writers, game masters and world builders")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvane.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QORV_BUILD_DESKTOP)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
endif()
if(QORV_PYTHON_DEPENDS)
  list(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS "${QORV_PYTHON_DEPENDS}")
  list(JOIN CPACK_DEBIAN_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()
# libquorvane.so.2: its shlibs file, and the trigger that runs ldconfig after it is installed.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/triggers CONTENT "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The Quorvane Lexicon invents names that sound like a Chapter's seed names: a
text file of up to 1000 names is cut into runs of vowels and consonants, and
new names are put together from what stands where and next to which.

This package holds the desktop program quorvane, the command-line tool qorv,
eleven sample Chapters, and the library for games that invent names in-process:
the C++ headers with the CMake package QuorvaneLexicon, the C library
libquorvane.so with quorvane.pc, and the Python module quorvane.")
include(CPack)
