# Run by CPack after it has built the packages (CPACK_POST_BUILD_SCRIPTS). CPack gives a package
# that holds a shared library postinst and postrm scripts calling ldconfig; the library's package
# activates dpkg's ldconfig trigger instead, which runs it once for every package of a run. This
# rebuilds that package without the two scripts, its files and control fields as they were.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name "${deb}" NAME)
  if(NOT name MATCHES "^${CPACK_QORV_LDCONFIG_SCRIPTS_PACKAGE}_.*\\.deb$")
    continue()
  endif()
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
  execute_process(COMMAND dpkg-deb --root-owner-group --build "${tree}" "${deb}.new"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(RENAME "${deb}.new" "${deb}")
  file(REMOVE_RECURSE "${tree}")
endforeach()
