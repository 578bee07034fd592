# The Debian packages (cpack -G DEB in the build folder), one per install component:
#   quorvane      (Runtime): the programs, the sample Chapters, the documents, the desktop files
#   quorvane-dev  (Development): the core's headers and static libraries, the CMake package
# Their library dependencies come from dpkg-shlibdeps; the platform plugins and the fonts the
# desktop program asks for are named here.
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "The Quorvane Lexicon developers")
set(CPACK_PACKAGE_CONTACT "The Quorvane Lexicon developers <developers@quorvane.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${QORV_RUNTIME_COMPONENT} ${QORV_DEVELOPMENT_COMPONENT})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvane.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Each description's first line is the package's summary.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME quorvane)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION utils)
if(QORV_BUILD_DESKTOP)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
endif()
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "name generator for writers, game masters and world builders
The Quorvane Lexicon invents names that sound like a Chapter's seed names: a
text file of up to 1000 names is cut into runs of vowels and consonants, and
new names are put together from what stands where and next to which.

This package holds the desktop program quorvane, the command-line tool qorv
and eleven sample Chapters.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME quorvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The static core links ICU, which the CMake package finds (FindICU needs its development files).
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libicu-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "name generator for writers and games - development files
The Quorvane Lexicon invents names that sound like a Chapter's seed names: a
text file of up to 1000 names is cut into runs of vowels and consonants, and
new names are put together from what stands where and next to which.

This package holds the library with its public headers <quorvane/lexicon.h>
and <quorvane/result.h> as the CMake package QuorvaneLexicon, for games that
invent names in-process.")
include(CPack)
