# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Long runs and faults: many downloads through the real spooler, random event
# sequences on the real windows, and a table of spooler faults through the
# main window.
pcu_add_test(tst_statemachines tst_statemachines.cpp LIBS pcu_ui LABELS gui)
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_soak tst_soak.cpp
    LIBS pcu_download pcu_platformspooler pcu_cupsfixture LABELS cups soak)
  pcu_add_test(tst_faults tst_faults.cpp
    LIBS pcu_ui pcu_platformspooler pcu_cupsfixture LABELS cups gui)
endif()
