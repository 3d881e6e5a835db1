# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# tr7400ctl as a script runs it, against a private CUPS scheduler.
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_ctl tst_ctl.cpp
    LIBS pcu_ui pcu_platformspooler pcu_cupsfixture LABELS cups cli)
  target_compile_definitions(tst_ctl PRIVATE PCU_TR7400CTL="$<TARGET_FILE:tr7400ctl>")
  add_dependencies(tst_ctl tr7400ctl)

  # setup and printers, on a scheduler that lists devices and refuses users
  # without rights; the window then sends to the queue made.
  pcu_add_test(tst_setup tst_setup.cpp
    LIBS pcu_ui pcu_platformspooler pcu_cupsfixture LABELS cups cli gui)
  target_compile_definitions(tst_setup PRIVATE PCU_TR7400CTL="$<TARGET_FILE:tr7400ctl>"
    PCU_MODULE="$<TARGET_FILE:${PCU_SPOOLER_MODULE_TARGET}>")
  add_dependencies(tst_setup tr7400ctl)
endif()
