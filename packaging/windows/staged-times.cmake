# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Run by CPack on the staged files before each package is written. The .zip takes the
# times of its files from SOURCE_DATE_EPOCH itself; makensis reads them from the files,
# so they are set to it here, and the setup program gets the same bytes from the same
# commit. (A Windows host without touch keeps the times it has.)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
find_program(_pcu_touch touch)
if(NOT _pcu_touch)
  return()
endif()
file(GLOB_RECURSE _pcu_paths LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
if(_pcu_paths)
  execute_process(COMMAND "${_pcu_touch}" -h -d "@$ENV{SOURCE_DATE_EPOCH}" ${_pcu_paths}
                  "${CPACK_TEMPORARY_DIRECTORY}" RESULT_VARIABLE _pcu_status)
  if(NOT _pcu_status EQUAL 0)
    message(FATAL_ERROR "touch failed on the staged files: ${_pcu_status}")
  endif()
endif()
