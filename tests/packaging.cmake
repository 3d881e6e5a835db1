# The install layout, the desktop metadata and the Debian package.

# The desktop entry and the AppStream metainfo pass desktop-file-validate and appstreamcli.
add_test(NAME packaging_metadata
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/validate-metadata.sh ${PROJECT_SOURCE_DIR}/packaging)

# cpack builds the .deb from the built tree into a private folder; the script unpacks it,
# checks the layout and Depends, and runs the unpacked program through its bin link.
add_test(NAME packaging_deb
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/test-package.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(packaging_deb PROPERTIES ENVIRONMENT "CPACK=${CMAKE_CPACK_COMMAND}")

set_tests_properties(packaging_metadata packaging_deb PROPERTIES TIMEOUT 120 LABELS packaging)
