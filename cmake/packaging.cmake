# Packages, one per component: the host module folder as a .tar.gz ("module": unpack it anywhere and add the folder
# to the host's module path) and, in the headless build, the command-line tool as a .deb ("tool", for pipeline
# machines without the host). cmake/package_components.cmake gives each generator its component.
set(CPACK_PACKAGE_NAME qaxexport)
set(CPACK_PACKAGE_VENDOR "Ember Rooke")
set(CPACK_PACKAGE_CONTACT "Ember Rooke <ember.rooke@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Exports host scenes to .qax model files for a real-time engine")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_components.cmake)
if(QAX_MAYA_DEVKIT)
  set(CPACK_GENERATOR TGZ)
else()
  set(CPACK_GENERATOR "DEB;TGZ")
endif()

# The archive holds the module folder itself, named as the host user will see it.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_MODULE_FILE_NAME "qaxExport-module-${PROJECT_VERSION}-linux")

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME qaxexport)
set(CPACK_DEBIAN_TOOL_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}
 qaxexport loads Maya ASCII and interchange scenes into an in-memory host and runs the qaxExport plug-in on
 them: single scenes or whole folders in parallel, with a JSON report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# dpkg-shlibdeps (dpkg-dev) turns the libraries the tool links into Depends; the tool's own libraries are
# private to it and need no dependency.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${QAX_INSTALL_TOOLLIBDIR})

include(CPack)
