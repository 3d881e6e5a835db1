# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The install layout, the desktop metadata and the Debian package.

# The desktop entry and the AppStream metainfo pass desktop-file-validate and appstreamcli.
add_test(NAME packaging_metadata
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/validate-metadata.sh ${PROJECT_SOURCE_DIR}/packaging)

# LICENSE is the GPL-3, and every source, script and build file names its licence.
add_test(NAME packaging_licence
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check-licence.sh ${PROJECT_SOURCE_DIR})

# cpack builds the .deb from the built tree into a private folder; the script unpacks it,
# runs lintian on it, checks the layout, documents and Depends, and runs the unpacked
# program through its bin link.
add_test(NAME packaging_deb
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/test-package.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(packaging_deb PROPERTIES ENVIRONMENT "CPACK=${CMAKE_CPACK_COMMAND}")

set_tests_properties(packaging_metadata packaging_licence PROPERTIES TIMEOUT 120 LABELS packaging)
# cpack, lintian (40 s on a loaded 2-core machine) and two starts of the program.
set_tests_properties(packaging_deb PROPERTIES TIMEOUT 300 LABELS packaging)
