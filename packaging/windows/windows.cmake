# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The Windows installation: the two programs and the twelve bitmaps in one
# folder, where the window reads the bitmaps beside its executable.
install(TARGETS tr7400config tr7400ctl RUNTIME DESTINATION .)

# The setup program (NSIS, with this folder's template) and a plain .zip of
# the same files: cmake --build <build> --target release, which also writes
# their SHA-256 sums.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME tr7400config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Altrune)
set(_artifact tr7400config-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${_artifact})
# Doubled twice: once for this file, once for the CPack configuration written from it.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Altrune\\\\TR7400 Configuration Utility")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY TR7400ConfigurationUtility)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/images/icon.ico)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-options.cmake)
set(CPACK_STRIP_FILES OFF) # stripped when linked
include(CPack)

add_custom_target(release
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
          -B ${CMAKE_BINARY_DIR}/release
  COMMAND ${CMAKE_COMMAND} -D FOLDER=${CMAKE_BINARY_DIR}/release
          -D NAME=${_artifact} -P ${CMAKE_CURRENT_LIST_DIR}/sums.cmake
  DEPENDS tr7400config tr7400ctl
  COMMENT "Writing the setup program, the .zip and their SHA-256 sums"
  VERBATIM)
