# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The printer core, tested in programs that do not link Qt (GoogleTest and
# GoogleMock only); the configure fails if one of them comes to link it.
find_package(GTest REQUIRED)

function(pcu_add_core_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/core)
  target_link_libraries(${name} PRIVATE GTest::gmock GTest::gtest_main ${ARG_LIBS})
  pcu_plain_cxx(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS core)
endfunction()

pcu_add_core_test(tst_core_settings core/test_settings.cpp core/test_flagsettings.cpp
  LIBS pcu_settings)
pcu_add_core_test(tst_core_features core/test_featurespage.cpp LIBS pcu_featurespage)
pcu_add_core_test(tst_core_spool core/test_rawspooljob.cpp LIBS pcu_settings pcu_featurespage)
pcu_add_core_test(tst_ctl_unit cli/test_ctl.cpp cli/test_setup.cpp LIBS pcu_ctl)
if(TARGET pcu_lpoptions)
  pcu_add_core_test(tst_core_lpoptions core/test_lpoptions.cpp LIBS pcu_lpoptions)
endif()
