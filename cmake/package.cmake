# The Debian packages (cpack -G DEB in the build folder), one per install component:
#   quorvane      (Runtime): the programs, the sample Chapters, the documents, the desktop files
#                 and the Python module (which has the core linked in)
#   libquorvane2  (Library): the C API's shared library libquorvane.so.2
#   quorvane-dev  (Development): the public headers, the static libraries, the CMake package,
#                 quorvane.pc and the libquorvane.so link
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
set(CPACK_COMPONENTS_ALL ${QORV_RUNTIME_COMPONENT} ${QORV_LIBRARY_COMPONENT}
                        ${QORV_DEVELOPMENT_COMPONENT})
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
if(QORV_PYTHON_DEPENDS)
  list(APPEND CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${QORV_PYTHON_DEPENDS}")
  list(JOIN CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS ", " CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS)
endif()
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "name generator for writers, game masters and world builders
The Quorvane Lexicon invents names that sound like a Chapter's seed names: a
text file of up to 1000 names is cut into runs of vowels and consonants, and
new names are put together from what stands where and next to which.

This package holds the desktop program quorvane, the command-line tool qorv,
eleven sample Chapters and the Python module quorvane.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${QORV_LIBRARY_PACKAGE})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# libquorvane.so.2: its shlibs file, and the trigger that runs ldconfig once it is installed or
# removed. CPack would also write postinst and postrm scripts calling ldconfig, which the trigger
# makes needless: they are taken out of the built package (drop_ldconfig_scripts.cmake).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/triggers CONTENT "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/triggers)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_QORV_LDCONFIG_SCRIPTS_PACKAGE ${QORV_LIBRARY_PACKAGE})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/drop_ldconfig_scripts.cmake)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "name generator for writers and games - C library
The Quorvane Lexicon invents names that sound like a Chapter's seed names: a
text file of up to 1000 names is cut into runs of vowels and consonants, and
new names are put together from what stands where and next to which.

This package holds the shared library libquorvane.so.2, the C API of the
Lexicon, for games and tools that invent names in-process.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME quorvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The static core links ICU, which the CMake package finds (FindICU needs its development files).
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "${QORV_LIBRARY_PACKAGE} (= ${PROJECT_VERSION}), libicu-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "name generator for writers and games - development files
The Quorvane Lexicon invents names that sound like a Chapter's seed names: a
text file of up to 1000 names is cut into runs of vowels and consonants, and
new names are put together from what stands where and next to which.

This package holds the library with its public headers <quorvane/lexicon.h>,
<quorvane/composer.h> and <quorvane/result.h> as the CMake package
QuorvaneLexicon, and the C API <quorvane/quorvane.h> with quorvane.pc, for
games that invent names in-process.")
include(CPack)
