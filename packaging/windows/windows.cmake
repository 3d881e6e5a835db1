# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The Windows installation: the two programs and the twenty-four bitmaps (twelve, and
# the same at twice the size) in one folder, where the window reads the bitmaps beside
# its executable.
install(TARGETS tr7400config tr7400ctl RUNTIME DESTINATION .)

# The linker's map of each program says which libraries went into it: the notices
# must name each of them (tests/windows/check-notices.sh).
if(MINGW)
  set(PCU_LINK_MAPS ${CMAKE_BINARY_DIR}/link-maps)
  file(MAKE_DIRECTORY ${PCU_LINK_MAPS})
  foreach(_program tr7400config tr7400ctl)
    set_property(TARGET ${_program} APPEND PROPERTY LINK_OPTIONS
      "LINKER:-Map=${PCU_LINK_MAPS}/${_program}.map")
  endforeach()
endif()

# What the licences ask to go with the programs: the GPL they are under, and the
# notices of what is built into them (Qt, the code Qt bundles, the MinGW-w64 runtime)
# with the source each came from. Both with Windows line ends.
set(_textfile ${CMAKE_CURRENT_LIST_DIR}/../textfile.cmake)
set(_texts ${CMAKE_BINARY_DIR}/texts)
set(_source_archive tr7400config-${PROJECT_VERSION}-src.tar.gz)

# The Qt the programs link: its Debian source package, as scripts/build-qt-mingw
# records it in the Qt folder; a Qt folder built before it did so is taken to be of the
# source of the machine's own Qt tools, which must be of the same version to build.
get_filename_component(_qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
if(EXISTS ${_qt_prefix}/debian-source)
  file(STRINGS ${_qt_prefix}/debian-source _qt_source LIMIT_COUNT 1)
else()
  execute_process(COMMAND dpkg-query -W "-f=qt6-base \${Version}" qt6-base-dev
                  OUTPUT_VARIABLE _qt_source RESULT_VARIABLE _status ERROR_QUIET)
  if(NOT _status EQUAL 0)
    set(_qt_source "")
  endif()
endif()
if(NOT _qt_source MATCHES "^qt6-base ([0-9.]+)[+~-]")
  # A Qt of another origin (a build on Windows itself): its notices are not for
  # publishing until they name its source.
  message(WARNING "Which Debian source the Qt in ${_qt_prefix} was built from is not known: "
                  "THIRD-PARTY-NOTICES.txt names none. For a Qt built from Debian's qt6-base, "
                  "write 'qt6-base <version>' into ${_qt_prefix}/debian-source.")
  set(PCU_QT_DEBIAN_VERSION "unknown")
elseif(NOT CMAKE_MATCH_1 VERSION_EQUAL Qt6Core_VERSION)
  message(FATAL_ERROR "The Qt in ${_qt_prefix} is ${Qt6Core_VERSION}, not the ${_qt_source} "
                      "the notices would name")
else()
  string(REGEX REPLACE "^qt6-base " "" PCU_QT_DEBIAN_VERSION "${_qt_source}")
endif()
file(SHA256 ${CMAKE_CURRENT_LIST_DIR}/qt-mingw.patch _patch_sha256)
# The versions of the compiler's runtime, as Debian's packages name them.
execute_process(COMMAND dpkg-query -W "-f=\${Version}" mingw-w64-x86-64-dev
                OUTPUT_VARIABLE _mingw_version ERROR_QUIET)
if(NOT _mingw_version)
  set(_mingw_version "unknown")
endif()
execute_process(COMMAND dpkg-query -W "-f=\${Version}" g++-mingw-w64-x86-64-posix
                OUTPUT_VARIABLE _gcc_version ERROR_QUIET)
if(NOT _gcc_version)
  set(_gcc_version ${CMAKE_CXX_COMPILER_VERSION})
endif()

add_custom_command(OUTPUT ${_texts}/LICENSE
  COMMAND ${CMAKE_COMMAND} -D IN=${PROJECT_SOURCE_DIR}/LICENSE -D OUT=${_texts}/LICENSE
          -D CRLF=ON -P ${_textfile}
  DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${_textfile}
  COMMENT "Writing the licence with Windows line ends" VERBATIM)
add_custom_command(OUTPUT ${_texts}/THIRD-PARTY-NOTICES.txt
  COMMAND ${CMAKE_COMMAND} -D IN=${CMAKE_CURRENT_LIST_DIR}/THIRD-PARTY-NOTICES.txt.in
          -D OUT=${_texts}/THIRD-PARTY-NOTICES.txt -D COMMENTS=ON -D CONFIGURE=ON -D CRLF=ON
          -D VERSION=${PROJECT_VERSION} -D SOURCE_ARCHIVE=${_source_archive}
          -D QT_VERSION=${Qt6Core_VERSION} -D QT_DEBIAN_VERSION=${PCU_QT_DEBIAN_VERSION}
          -D QT_PATCH_SHA256=${_patch_sha256}
          -D GCC_VERSION=${_gcc_version} -D MINGW_VERSION=${_mingw_version}
          -P ${_textfile}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/THIRD-PARTY-NOTICES.txt.in ${_textfile}
          ${CMAKE_CURRENT_LIST_DIR}/qt-mingw.patch
  COMMENT "Writing THIRD-PARTY-NOTICES.txt" VERBATIM)
add_custom_target(pcu_windows_texts ALL
  DEPENDS ${_texts}/LICENSE ${_texts}/THIRD-PARTY-NOTICES.txt)
install(FILES ${_texts}/LICENSE ${_texts}/THIRD-PARTY-NOTICES.txt DESTINATION .)

# The setup program (NSIS, with this folder's template), a plain .zip of the
# same files and the program's source: cmake --build <build> --target release,
# which also writes their SHA-256 sums.
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
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/staged-times.cmake)
set(CPACK_PCU_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_STRIP_FILES OFF) # stripped when linked
include(CPack)

add_custom_target(release
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
          -B ${CMAKE_BINARY_DIR}/release
  COMMAND ${CMAKE_COMMAND} -D SOURCE=${PROJECT_SOURCE_DIR}
          -D OUTPUT=${CMAKE_BINARY_DIR}/release/${_source_archive}
          -D FOLDER=tr7400config-${PROJECT_VERSION}
          -P ${CMAKE_CURRENT_LIST_DIR}/../source-archive.cmake
  COMMAND ${CMAKE_COMMAND} -D FOLDER=${CMAKE_BINARY_DIR}/release
          -D "ARTIFACTS=${_artifact}.exe;${_artifact}.zip;${_source_archive}"
          -P ${CMAKE_CURRENT_LIST_DIR}/sums.cmake
  DEPENDS tr7400config tr7400ctl pcu_windows_texts
  COMMENT "Writing the setup program, the .zip, the source archive and their SHA-256 sums"
  VERBATIM)
