# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Writes a text file that a package installs, from the file kept in the sources:
#   cmake -D IN=<file> -D OUT=<file> [-D COMMENTS=ON] [-D CONFIGURE=ON -D <NAME>=<value>...]
#         [-D CRLF=ON] [-D GZIP=ON] -P textfile.cmake
# COMMENTS drops the leading lines that start with # (the source file's licence
# header, which is no part of the installed text) and the blank lines after them.
# CONFIGURE replaces each @NAME@ with the value given. CRLF ends the lines as
# Windows' own programs expect. GZIP compresses as Debian asks: gzip -9n, with no
# name or time in the header, so that the same text gives the same bytes.
foreach(_required IN ITEMS IN OUT)
  if(NOT DEFINED ${_required})
    message(FATAL_ERROR "textfile.cmake: ${_required} is not given")
  endif()
endforeach()

file(READ "${IN}" _text)
if(COMMENTS)
  string(REGEX REPLACE "^(#[^\n]*\n)+\n*" "" _text "${_text}")
endif()
if(CONFIGURE)
  string(CONFIGURE "${_text}" _text @ONLY)
  if(_text MATCHES "@[A-Za-z_][A-Za-z0-9_]*@")
    message(FATAL_ERROR "${IN}: ${CMAKE_MATCH_0} was given no value")
  endif()
endif()
if(CRLF)
  string(REPLACE "\n" "\r\n" _text "${_text}")
endif()

if(NOT GZIP)
  file(WRITE "${OUT}.new" "${_text}")
else()
  find_program(_gzip gzip REQUIRED)
  file(WRITE "${OUT}.text" "${_text}")
  execute_process(COMMAND "${_gzip}" -9 -n -c "${OUT}.text" OUTPUT_FILE "${OUT}.new"
                  RESULT_VARIABLE _status)
  file(REMOVE "${OUT}.text")
  if(NOT _status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${IN}: ${_status}")
  endif()
endif()
file(RENAME "${OUT}.new" "${OUT}")
