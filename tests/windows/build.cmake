# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The winspool spooler's test, built for Windows: GoogleTest from Debian's
# sources, built with the same cross compiler. The Linux build runs the
# program under Wine (tests/windows.cmake).
set(_googletest /usr/src/googletest)
if(EXISTS ${_googletest}/CMakeLists.txt)
  set(INSTALL_GTEST OFF)
  set(BUILD_GMOCK OFF)
  add_subdirectory(${_googletest} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Not our code: its warnings are not ours to fail on.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  set(_gtest_main gtest_main)
else()
  # Built on Windows itself: a GoogleTest of the machine's own, if it has one.
  find_package(GTest)
  if(NOT GTest_FOUND)
    message(STATUS "No GoogleTest: the winspool spooler's test is not built")
    return()
  endif()
  set(_gtest_main GTest::gtest_main)
endif()

add_executable(tst_winspooler ${CMAKE_CURRENT_LIST_DIR}/test_winspooler.cpp)
target_link_libraries(tst_winspooler PRIVATE pcu_platformspooler pcu_settings pcu_featurespage
  ${_gtest_main})
add_test(NAME tst_winspooler COMMAND tst_winspooler)
pcu_plain_cxx(tst_winspooler)
