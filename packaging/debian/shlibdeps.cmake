# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Run by CPack on the staged files before it writes the .deb: dpkg-shlibdeps works out
# the library packages that the programs and the spooler module need, and they join
# the Depends given in packaging/CMakeLists.txt.
#
# CPack's own CPACK_DEBIAN_PACKAGE_SHLIBDEPS would do the same, but it also counts
# every shared object under /usr/lib/<folder> as a library of the system's and adds
# maintainer scripts that run ldconfig for it; the spooler module is private to the
# programs, loaded by its path, and needs no such scripts.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(_pcu_shlibdeps dpkg-shlibdeps REQUIRED)

set(_pcu_root "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE _pcu_files LIST_DIRECTORIES false "${_pcu_root}/*")
set(_pcu_elf_files)
foreach(_pcu_file IN LISTS _pcu_files)
  if(NOT IS_SYMLINK "${_pcu_file}")
    file(READ "${_pcu_file}" _pcu_magic LIMIT 4 HEX)
    if(_pcu_magic STREQUAL "7f454c46")
      list(APPEND _pcu_elf_files "${_pcu_file}")
    endif()
  endif()
endforeach()
if(NOT _pcu_elf_files)
  message(FATAL_ERROR "No program in ${_pcu_root} to work out the dependencies of")
endif()

# dpkg-shlibdeps wants to run in a source package: an empty debian/control makes one,
# beside the staged files rather than among them.
set(_pcu_work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(REMOVE_RECURSE "${_pcu_work}")
file(WRITE "${_pcu_work}/debian/control" "")
execute_process(COMMAND "${_pcu_shlibdeps}" -O ${_pcu_elf_files}
                WORKING_DIRECTORY "${_pcu_work}"
                OUTPUT_VARIABLE _pcu_output ERROR_VARIABLE _pcu_error RESULT_VARIABLE _pcu_status
                OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE_RECURSE "${_pcu_work}")
if(NOT _pcu_status EQUAL 0 OR NOT _pcu_output MATCHES "^shlibs:Depends=(.+)$")
  message(FATAL_ERROR "dpkg-shlibdeps failed (${_pcu_status}): ${_pcu_error}${_pcu_output}")
endif()
if(CPACK_DEBIAN_PACKAGE_DEPENDS)
  string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
endif()
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
