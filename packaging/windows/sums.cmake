# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Writes SHA256SUMS beside the setup program, the .zip and the source archive, in the
# form sha256sum -c reads:  cmake -D FOLDER=... -D "ARTIFACTS=<file>;..." -P sums.cmake
set(sums "")
foreach(artifact IN LISTS ARTIFACTS)
  if(NOT EXISTS ${FOLDER}/${artifact})
    message(FATAL_ERROR "${FOLDER}/${artifact} was not written")
  endif()
  file(SHA256 ${FOLDER}/${artifact} hash)
  string(APPEND sums "${hash}  ${artifact}\n")
endforeach()
file(WRITE ${FOLDER}/SHA256SUMS "${sums}")
message(STATUS "${FOLDER}/SHA256SUMS")
