# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Read by CPack for each generator: the .zip unpacks into a folder of its
# own; the setup program installs into the folder the user picks. Both carry
# the time of the commit built (source-date.cmake).
include(${CPACK_PCU_SOURCE_DIR}/packaging/source-date.cmake)
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
