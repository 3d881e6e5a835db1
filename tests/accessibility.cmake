# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# What a screen reader finds in both windows: in the process through Qt's
# accessibility interfaces, from outside it through the AT-SPI bus, and what
# Orca says of them.
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_accessibility tst_accessibility.cpp
    LIBS pcu_ui pcu_platformspooler pcu_cupsfixture LABELS a11y cups gui)

  # The program under a private X server, session bus and accessibility bus,
  # read and worked through pyatspi; 77 when a tool it needs is missing.
  add_test(NAME a11y_atspi
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/a11y/test-atspi.sh $<TARGET_FILE:tr7400config>)
  set_tests_properties(a11y_atspi PROPERTIES
    TIMEOUT 240 SKIP_RETURN_CODE 77 LABELS "a11y;gui")

  # The program under Orca itself, with a window manager and a private
  # scheduler, worked with keys; checks what Orca says and the job sent.
  add_test(NAME a11y_orca
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/a11y/test-orca.sh
      $<TARGET_FILE:tr7400config> $<TARGET_FILE:privatecups>)
  set_tests_properties(a11y_orca PROPERTIES
    TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS "a11y;gui;cups")
endif()
