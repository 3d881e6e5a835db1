# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Read by CPack before it writes a package: every file in it, and the package itself,
# carry the time of the commit the sources are at, so that the same commit gives the
# same bytes wherever and whenever it is built. SOURCE_DATE_EPOCH, when the caller sets
# it, is taken as it is. Without git (a tree unpacked from the source archive) the time
# is the one git archive wrote into packaging/archived-commit.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(_pcu_epoch "")
  find_program(_pcu_git git)
  if(_pcu_git AND EXISTS "${CPACK_PCU_SOURCE_DIR}/.git")
    execute_process(COMMAND "${_pcu_git}" -C "${CPACK_PCU_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE _pcu_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT _pcu_epoch MATCHES "^[0-9]+$")
    file(STRINGS "${CPACK_PCU_SOURCE_DIR}/packaging/archived-commit" _pcu_archived
         REGEX "^[0-9a-f]+ [0-9]+$")
    string(REGEX REPLACE "^.* " "" _pcu_epoch "${_pcu_archived}")
  endif()
  if(_pcu_epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} "${_pcu_epoch}")
  else()
    message(WARNING "No commit time for the package: its files carry the times they were "
                    "built at. Set SOURCE_DATE_EPOCH to make it reproducible.")
  endif()
endif()
# A .zip keeps local times: UTC makes them the same on every machine.
set(ENV{TZ} UTC0)
