# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The Windows programs under Wine, with Wine's spooler handing their jobs to a
# private CUPS scheduler: a MinGW build of this project (scripts/build-windows)
# named by PCU_WINDOWS_BUILD. Without one, the tests report themselves skipped
# and say why.
option(PCU_WINE_TESTS "Run the Windows build's programs under Wine" ON)
set(PCU_WINDOWS_BUILD "" CACHE PATH "A MinGW build of this project, run under Wine")
if(PCU_WINE_TESTS)
  set(_wine ${CMAKE_CURRENT_SOURCE_DIR}/windows)
  add_test(NAME wine_winspooler
    COMMAND bash ${_wine}/wine-winspooler.sh "${PCU_WINDOWS_BUILD}")
  add_test(NAME wine_noprinter
    COMMAND bash ${_wine}/wine-noprinter.sh "${PCU_WINDOWS_BUILD}")
  add_test(NAME wine_window
    COMMAND bash ${_wine}/wine-window.sh "${PCU_WINDOWS_BUILD}" ${CMAKE_BINARY_DIR})
  add_test(NAME wine_installer
    COMMAND bash ${_wine}/wine-installer.sh "${PCU_WINDOWS_BUILD}" ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_winspooler wine_noprinter wine_window wine_installer PROPERTIES
    SKIP_RETURN_CODE 77 TIMEOUT 900 LABELS wine)
endif()

# What the release target wrote (the .zip's files, the source archive, the sums), and
# the notices against the libraries the linker's maps show in the programs. Neither runs
# a Windows program.
set(_windows_checks ${CMAKE_CURRENT_SOURCE_DIR}/windows)
add_test(NAME windows_notices
  COMMAND bash ${_windows_checks}/check-notices.sh "${PCU_WINDOWS_BUILD}" ${PROJECT_SOURCE_DIR})
add_test(NAME windows_release
  COMMAND bash ${_windows_checks}/check-release.sh "${PCU_WINDOWS_BUILD}" ${PROJECT_SOURCE_DIR})
set_tests_properties(windows_notices windows_release PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 120 LABELS windows)
