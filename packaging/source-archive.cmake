# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Writes the program's source, as the commit the sources are at, into a .tar.gz whose
# files lie in one folder:
#   cmake -D SOURCE=<source dir> -D OUTPUT=<file.tar.gz> -D FOLDER=<name> -P source-archive.cmake
# From a clone, git archive writes it: the commit's files and times only, so the same
# commit gives the same bytes. From a tree without git (itself unpacked from such an
# archive), GNU tar packs the tree as it is, at the time the archive recorded.
foreach(_required IN ITEMS SOURCE OUTPUT FOLDER)
  if(NOT DEFINED ${_required})
    message(FATAL_ERROR "source-archive.cmake: ${_required} is not given")
  endif()
endforeach()
get_filename_component(_out_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${_out_dir}")
file(REMOVE "${OUTPUT}")

find_program(_git git)
if(_git AND EXISTS "${SOURCE}/.git")
  execute_process(COMMAND "${_git}" -C "${SOURCE}" archive --format=tar.gz "--prefix=${FOLDER}/"
                          -o "${OUTPUT}" HEAD
                  RESULT_VARIABLE _status)
  if(NOT _status EQUAL 0)
    message(FATAL_ERROR "git archive failed (${_status})")
  endif()
  execute_process(COMMAND "${_git}" -C "${SOURCE}" status --porcelain --untracked-files=no
                  OUTPUT_VARIABLE _changes)
  execute_process(COMMAND "${_git}" -C "${SOURCE}" rev-parse --short HEAD
                  OUTPUT_VARIABLE _commit OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(_changes)
    message(WARNING "${OUTPUT} holds commit ${_commit}: the changes not committed yet are "
                    "not in it, but they are in the programs built.")
  endif()
  message(STATUS "${OUTPUT}: commit ${_commit}")
  return()
endif()

file(STRINGS "${SOURCE}/packaging/archived-commit" _archived REGEX "^[0-9a-f]+ [0-9]+$")
string(REGEX REPLACE "^.* " "" _epoch "${_archived}")
find_program(_tar tar)
find_program(_gzip gzip)
if(NOT _epoch OR NOT _tar OR NOT _gzip)
  message(FATAL_ERROR "${SOURCE} is neither a git clone nor an unpacked source archive, "
                      "or GNU tar and gzip are missing: no source archive can be written")
endif()
get_filename_component(_parent "${SOURCE}" DIRECTORY)
get_filename_component(_name "${SOURCE}" NAME)
execute_process(
  COMMAND "${_tar}" -C "${_parent}" --sort=name --format=gnu --owner=0 --group=0
          --numeric-owner "--mtime=@${_epoch}" --exclude=${_name}/build*
          "--transform=s|^${_name}|${FOLDER}|" -cf - "${_name}"
  COMMAND "${_gzip}" -9 -n
  OUTPUT_FILE "${OUTPUT}"
  RESULT_VARIABLE _status)
if(NOT _status EQUAL 0)
  message(FATAL_ERROR "tar could not write ${OUTPUT}: ${_status}")
endif()
message(STATUS "${OUTPUT}: the tree of ${_archived}")
